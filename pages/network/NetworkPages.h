// Registers the network pages with the menu's page registry.
#pragma once

class PageRegistry;

void registerNetworkPages(PageRegistry &registry);

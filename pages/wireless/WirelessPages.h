// Registers the wireless pages with the menu's page registry.
#pragma once

class PageRegistry;

void registerWirelessPages(PageRegistry &registry);

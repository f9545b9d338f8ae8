// Registers the administration and status pages with the menu's page registry.
#pragma once

class PageRegistry;

void registerAdminPages(PageRegistry &registry);

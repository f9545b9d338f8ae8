// Every page of the module, registered with a page registry: what the menu opens, and what a
// measurement opens in turn.
#pragma once

class PageRegistry;

void registerModulePages(PageRegistry &registry);

// The file pages the menu opens.
#pragma once

class PageRegistry;

void registerTransferPages(PageRegistry &registry);

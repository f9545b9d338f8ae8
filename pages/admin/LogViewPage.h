// The log view is registered on its own: it listens on the TFTP port while open, which a program
// that opens every page in turn (measurements) may not be able to do.
#pragma once

class PageRegistry;

void registerLogViewPage(PageRegistry &registry);

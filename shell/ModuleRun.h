// The program around the main window: settings from the environment, the non-interactive message
// seam, the headless screenshot run and the event loop.
#pragma once

#include "ModuleSettings.h"

#include <QStringList>

class TMainForm;

/// The module's periods and limits; KVA7310_TIMEOUT_SCALE, KVA7310_POLL_MS, KVA7310_BLINK_MS,
/// KVA7310_ADDRESS_POLL_MS and KVA7310_WAITING_TICK_MS shorten them (tests, benchmarks).
ModuleSettings moduleSettingsFromEnvironment();

/// Runs the module for the arguments (without the program name) and returns the exit code.
/// KVA7310_NONINTERACTIVE set: message boxes go to standard error and are answered with OK.
/// KVA7310_SCREENSHOT=FILE (with KVA7310_SCREENSHOT_PAGE=CLASS): waits until the device answers,
/// opens the page, writes the window as a PNG and ends.
int runModule(const QStringList &arguments);

/// The screenshot run on a started window: 0 when written, non-zero with a message otherwise.
int takeScreenshot(TMainForm &form, const QString &file, const QString &pageClass, int waitMs);

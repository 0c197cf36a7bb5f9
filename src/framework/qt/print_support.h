#pragma once
// Qt loads its print support (the platform's printing plugin and its list of printers) the first time a
// printer is made: a few tens of milliseconds on the window's thread, at a person's first 打印. The
// program loads it on a thread of its own when it starts, and 打印 waits for that load to end before it
// makes its printer, since Qt's loading is not safe from two threads at once. Without the early load
// (the tests, which never print to a device) 打印 loads it itself, as before.
namespace qianyan {

// Starts the load; called on the window's thread, after the QApplication exists, which waits for the
// load to end before it goes.
void loadPrintSupportInBackground();
// Returns when a load started is done (at once when none was); called on the window's thread.
void awaitPrintSupport();

} // namespace qianyan

#include "framework/qt/print_support.h"

#include <QCoreApplication>
#include <QPrinter>

#include <future>
#include <system_error>

namespace qianyan {

namespace {

std::future<void>& printSupportLoad() {
    static std::future<void> load;
    return load;
}

} // namespace

void loadPrintSupportInBackground() {
    if (printSupportLoad().valid()) return;
    try {
        printSupportLoad() = std::async(std::launch::async, [] { QPrinter printer; });
    } catch (const std::system_error&) {
        return; // no thread to spare: 打印 loads it itself
    }
    // The load ends before the application it loads for goes, even one closed at once.
    qAddPostRoutine(awaitPrintSupport);
}

void awaitPrintSupport() {
    if (!printSupportLoad().valid()) return;
    printSupportLoad().wait();
    printSupportLoad() = {};
}

} // namespace qianyan

#include "shell/AppDelegate.h"

namespace corvanite {

AppDelegate& AppDelegate::shared() {
    static AppDelegate delegate;
    return delegate;
}

void AppDelegate::applicationDidFinishLaunching() {}

void AppDelegate::applicationWillTerminate() {}

} // namespace corvanite

#pragma once

#include <QObject>

namespace corvanite {

class AppDelegate : public QObject {
    Q_OBJECT
public:
    static AppDelegate& shared();
    void applicationDidFinishLaunching();
    void applicationWillTerminate();
};

} // namespace corvanite

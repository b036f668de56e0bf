#include "menubar/MenuBarController.h"

#include "sampling/Monitor.h"

namespace corvanite {

MenuBarSampling MenuBarSampling::shared()
{
    return MenuBarSampling{
        [] {
            Monitor& monitor = Monitor::shared();
            const NetSample net = monitor.network();
            return MenuBarReadings{monitor.cpu().total, monitor.memory().usageFraction() * 100.0,
                                   net.downBps, net.upBps};
        },
        [](std::function<void()> onTick) { Monitor::shared().setOnTick(std::move(onTick)); },
        [](double interval) { Monitor::shared().start(interval); }};
}

} // namespace corvanite

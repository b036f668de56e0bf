#include "helper/HelperDevice.h"

#include "helper/SimulatedSmcFile.h"
#include "platform/linux/HwmonSmc.h"

namespace corvanite {

std::unique_ptr<SmcDevice> makeHelperDevice(const QString& simulatedState)
{
    if (!simulatedState.isEmpty())
        return std::make_unique<SimulatedSmcFile>(simulatedState);
    return std::make_unique<HwmonSmc>();
}

} // namespace corvanite

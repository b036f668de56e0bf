#include "app/panel/vitals/VitalsChannel.h"

#include "app/panel/VitalsTheme.h"

namespace corvanite {

QColor VitalsChannel::shownColor() const
{
    return isAlarm ? VitalsTheme::alarm : color;
}

} // namespace corvanite

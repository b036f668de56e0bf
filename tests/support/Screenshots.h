#pragma once

#include <QString>

namespace corvanite::test {

// Where a test saves a picture for people to look at: <build>/screenshots/<fileName>. The
// folder is created on demand.
QString screenshotPath(const QString& fileName);

} // namespace corvanite::test

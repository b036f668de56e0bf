#include "platform/Clock.h"
#include "shell/Log.h"

#include "TestSandbox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvanite;

TEST(Log, placeholder)
{
    FakeClock clock;
    QTemporaryDir dir;
    Logger log(dir.path(), false, clock);
    log.debug(QStringLiteral("hello"));
    QFile f(log.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("] hello\n"));
}

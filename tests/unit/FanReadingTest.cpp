// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FanReading.h"

#include <gtest/gtest.h>

using namespace corvanite;

TEST(FanReading, listRoundTripsThroughCompactJson)
{
    const QList<FanReading> fans = {{0, 1200, 1500.5, 1000, 6500, true},
                                    {1, 0, 0, 1000, 6000, false}};
    const QByteArray json = FanReading::encodeList(fans);
    EXPECT_FALSE(json.contains(' '));
    EXPECT_FALSE(json.contains('\n'));
    EXPECT_TRUE(json.startsWith("[{"));
    EXPECT_EQ(FanReading::decodeList(json), fans);
}

TEST(FanReading, noFansIsTheTwoByteEmptyArray)
{
    EXPECT_EQ(FanReading::encodeList({}), QByteArray("[]"));
    EXPECT_EQ(FanReading::decodeList("[]"), QList<FanReading>());
}

TEST(FanReading, eachObjectCarriesExactlyTheSixKeys)
{
    const QByteArray json = FanReading::encodeList({{3, 1, 2, 3, 4, false}});
    for (const char* key : {"\"index\":3", "\"actualRPM\":1", "\"targetRPM\":2", "\"minRPM\":3",
                            "\"maxRPM\":4", "\"forced\":false"})
        EXPECT_TRUE(json.contains(key)) << key << " in " << json.constData();
    EXPECT_EQ(json.count(':'), 6);
}

// Key order does not matter, integral speeds need no fraction, unknown keys are tolerated.
TEST(FanReading, decodesWhatAnotherEncoderMayWrite)
{
    const auto fans = FanReading::decodeList(
        R"([ {"forced": true, "maxRPM": 6000, "minRPM": 1e3, "targetRPM": 2500.25,
              "actualRPM": 2400, "index": 0, "label": "left"} ])");
    ASSERT_TRUE(fans.has_value());
    ASSERT_EQ(fans->size(), 1);
    EXPECT_EQ(fans->at(0), (FanReading{0, 2400, 2500.25, 1000, 6000, true}));
}

// One bad object spoils the whole payload: a half-read list would show fans that are not there.
TEST(FanReading, anyMissingKeyOrWrongKindMakesThePayloadUnreadable)
{
    const char* const payloads[] = {
        R"([{"index":0,"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4}])",
        R"([{"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true}])",
        R"([{"index":0,"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":1}])",
        R"([{"index":0.5,"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true}])",
        R"([{"index":"0","actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true}])",
        R"([{"index":0,"actualRPM":"1","targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true}])",
        R"([{"index":0,"actualRPM":null,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true}])",
        R"([{"index":0,"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true}, 7])",
        R"({"index":0,"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true})",
        R"([{"index":0,"actualRPM":1,"targetRPM":2,"minRPM":3,"maxRPM":4,"forced":true})",
        "",
        "null",
    };
    for (const char* payload : payloads)
        EXPECT_FALSE(FanReading::decodeList(payload).has_value()) << payload;
}

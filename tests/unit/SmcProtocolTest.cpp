// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SMC.h"
#include "platform/sim/SimulatedSmc.h"
#include "shared/SMCFan.h"
#include "shared/SMCParamStruct.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

using namespace corvanite;

namespace {

// A simulated controller owned by an SMC, with a pointer kept for staging.
struct Rig {
    SimulatedSmc* device;
    SMC smc;
    Rig()
        : Rig(std::make_unique<SimulatedSmc>())
    {
    }

private:
    explicit Rig(std::unique_ptr<SimulatedSmc> owned)
        : device(owned.get())
        , smc(std::move(owned))
    {
    }
};

std::uint8_t byteAt(const SMCParamStruct& record, std::size_t offset)
{
    return record.bytes()[offset];
}

} // namespace

TEST(SMCParamStruct, requestPlacesEveryFieldAtItsOffset)
{
    const SMCKeyInfo info{4, smc::typeCode("flt "), 0xC0};
    const std::uint8_t value[] = {1, 2, 3, 4};
    const SMCParamStruct r =
        SMCParamStruct::request(smc::Command::WriteBytes, smc::keyCode("F0Tg"), info, value);

    // Key code: first character in the most significant byte, stored little-endian.
    EXPECT_EQ(smc::keyCode("F0Tg"), 0x46305467u);
    EXPECT_EQ(byteAt(r, 0), 0x67);
    EXPECT_EQ(byteAt(r, 3), 0x46);
    EXPECT_EQ(byteAt(r, 28), 4); // data size
    EXPECT_EQ(byteAt(r, 32), 'f');
    EXPECT_EQ(byteAt(r, 35), ' ');
    EXPECT_EQ(byteAt(r, 36), 0xC0); // attributes
    EXPECT_EQ(byteAt(r, 42), 6);    // command
    EXPECT_EQ(byteAt(r, 48), 1);
    EXPECT_EQ(byteAt(r, 51), 4);
    for (std::size_t offset : {4u, 10u, 12u, 27u, 37u, 40u, 41u, 43u, 44u, 47u, 52u, 79u})
        EXPECT_EQ(byteAt(r, offset), 0) << offset;
    EXPECT_EQ(r.keyInfo(), info);
}

TEST(SMCParamStruct, keyCodesOfShortAndLongKeys)
{
    EXPECT_EQ(smc::keyCode("AB"), 0x4142u);
    EXPECT_EQ(smc::keyCode(""), 0u);
    EXPECT_EQ(smc::keyCode("F10Ac"), smc::keyCode("F10A")); // only four bytes reach the controller
    EXPECT_EQ(smc::keyChars(smc::keyCode("TB0T")), (std::array<char, 4>{'T', 'B', '0', 'T'}));
}

TEST(SMCParamStruct, keyInfoValidOnlyForSizesOneToThirtyTwo)
{
    for (const auto& [size, valid] : std::vector<std::pair<std::uint32_t, bool>>{
             {0, false}, {1, true}, {32, true}, {33, false}, {40, false}})
        EXPECT_EQ((SMCKeyInfo{size, {}, 0}.isValid()), valid) << size;
}

TEST(SMCParamStruct, valueDecoding)
{
    const auto f = [](float v) {
        const auto b = smc::encodeFloat(v);
        return std::vector<std::uint8_t>(b.begin(), b.end());
    };
    EXPECT_EQ(smc::decodeValue(f(47.25f)), 47.25);
    EXPECT_EQ(smc::decodeValue(f(0.0f)), 0.0);
    EXPECT_EQ(smc::decodeValue(f(-0.0f)), 0.0);
    // -1.0 is 00 00 80 BF: its first two bytes decode as fixed point 0.
    EXPECT_EQ(smc::decodeValue(f(-1.0f)), 0.0);
    EXPECT_EQ(smc::decodeValue(f(std::numeric_limits<float>::quiet_NaN())), 0.0); // 00 00 C0 7F
    EXPECT_EQ(smc::decodeValue(std::vector<std::uint8_t>{0x1F, 0x40}), 2000.0);
    EXPECT_EQ(smc::decodeValue(std::vector<std::uint8_t>{0x1F, 0x43, 0x00}),
              0x1F * 64.0 + 0x43 / 4);
    EXPECT_EQ(smc::decodeValue(std::vector<std::uint8_t>{7}), std::nullopt);
    EXPECT_EQ(smc::decodeFloat(std::vector<std::uint8_t>{1, 2, 3}), std::nullopt);
}

TEST(SMC, readsFloatsFixedPointAndRefusesSingleBytes)
{
    Rig rig;
    rig.device->setFloat(QStringLiteral("Tp09"), 47.25f);
    rig.device->setKey(QStringLiteral("F0Ac"), {2, smc::typeCode("fpe2"), 0}, {0x1F, 0x40});
    rig.device->setUInt8(QStringLiteral("FNum"), 2);
    EXPECT_EQ(rig.smc.readValue("Tp09"), 47.25);
    EXPECT_EQ(rig.smc.readValue("F0Ac"), 2000.0);
    EXPECT_EQ(rig.smc.readValue("FNum"), std::nullopt);
    const auto bytes = rig.smc.readBytes("FNum");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size, 1u);
    EXPECT_EQ(bytes->data[0], 2);
}

TEST(SMC, keyInfoIsAskedOncePerKeyFailuresIncluded)
{
    Rig rig;
    rig.device->setFloat(QStringLiteral("Tp01"), 50.0f);
    rig.device->setKey(QStringLiteral("Tp0X"), {40, smc::typeCode("flt "), 0}, {0, 0, 0x48, 0x42});

    EXPECT_EQ(rig.smc.readValue("Tp01"), 50.0);
    EXPECT_EQ(rig.device->callCount(), 2); // key info, then the read
    EXPECT_EQ(rig.smc.readValue("Tp01"), 50.0);
    EXPECT_EQ(rig.device->callCount(), 3); // warm: a single read

    EXPECT_EQ(rig.smc.readValue("Tp0X"), std::nullopt); // size 40: cached as failed
    EXPECT_EQ(rig.smc.readValue("Tq00"), std::nullopt); // unknown: size 0
    const int calls = rig.device->callCount();
    EXPECT_EQ(rig.smc.readValue("Tp0X"), std::nullopt);
    EXPECT_EQ(rig.smc.readValue("Tq00"), std::nullopt);
    EXPECT_EQ(rig.device->callCount(), calls);
}

TEST(SMC, failedCallIsTriedOnceMoreOverAFreshConnection)
{
    Rig rig;
    rig.device->setFloat(QStringLiteral("Tp01"), 50.0f);
    ASSERT_EQ(rig.smc.readValue("Tp01"), 50.0);
    const int opens = rig.device->openCount();

    rig.device->failNextCalls(1);
    EXPECT_EQ(rig.smc.readValue("Tp01"), 50.0);
    EXPECT_EQ(rig.device->openCount(), opens + 1);

    // Two failures in a row: nothing this time, but the key is not given up on.
    rig.device->failNextCalls(2);
    EXPECT_EQ(rig.smc.readValue("Tp01"), std::nullopt);
    EXPECT_EQ(rig.smc.readValue("Tp01"), 50.0);
}

TEST(SMC, keyInfoFailingTwiceIsRememberedButNoControllerIsNot)
{
    Rig rig;
    rig.device->setFloat(QStringLiteral("Tp01"), 50.0f);
    rig.device->setAvailable(false);
    EXPECT_EQ(rig.smc.readValue("Tp01"), std::nullopt);
    rig.device->setAvailable(true);
    EXPECT_EQ(rig.smc.readValue("Tp01"), 50.0); // no connection: nothing was cached

    rig.device->setFloat(QStringLiteral("Tp09"), 60.0f);
    rig.device->failNextCalls(2);
    EXPECT_EQ(rig.smc.readValue("Tp09"), std::nullopt);
    EXPECT_EQ(rig.smc.readValue("Tp09"), std::nullopt); // its key info failed twice: given up
}

TEST(SMCFan, readsAndWritesWithoutCacheOrRetry)
{
    SimulatedSmc device;
    device.addFans(1, 1200.0f, 5000.0f, 1800.0f);
    device.setFloat(QStringLiteral("Tp0b"), -3.5f);
    device.setFloat(QStringLiteral("Tp0T"), std::numeric_limits<float>::infinity());
    SMCFan fan(device);

    EXPECT_EQ(fan.readUInt8("FNum"), 1);
    EXPECT_EQ(fan.readFloat("F0Mx"), 5000.0);
    EXPECT_EQ(fan.readFloat("Tp0b"), -3.5); // negative values are the caller's to judge
    EXPECT_EQ(fan.readFloat("Tp0T"), std::nullopt);
    EXPECT_EQ(fan.readFloat("FNum"), std::nullopt); // one byte is no float

    const int calls = device.callCount();
    EXPECT_EQ(fan.readFloat("F0Ac"), 1800.0);
    EXPECT_EQ(device.callCount(), calls + 2); // key info every time

    EXPECT_TRUE(fan.writeUInt8("F0Md", 1));
    EXPECT_TRUE(fan.writeFloat("F0Tg", 2500.0f));
    EXPECT_EQ(device.uint8Value(QStringLiteral("F0Md")), 1);
    EXPECT_EQ(device.floatValue(QStringLiteral("F0Tg")), 2500.0f);

    device.failNextCalls(1);
    EXPECT_EQ(fan.readFloat("F0Ac"), std::nullopt); // no second try
}

TEST(SMCFan, refusesAFloatForATwoByteKeyAndWritesWithTheKeysOwnInfo)
{
    SimulatedSmc device;
    device.setKey(QStringLiteral("F0Tg"), {2, smc::typeCode("fpe2"), 0}, {0, 0});
    device.setKey(QStringLiteral("F1Tg"), {8, smc::typeCode("ch8*"), 0xD4},
                  std::vector<std::uint8_t>(8));
    SMCFan fan(device);
    EXPECT_EQ(fan.readFloat("F0Tg"), std::nullopt);
    EXPECT_FALSE(fan.writeFloat("F0Tg", 1000.0f));
    EXPECT_TRUE(device.writes().isEmpty());

    const auto request = SMCParamStruct::request(smc::Command::WriteBytes, smc::keyCode("F1Tg"),
                                                 SMCKeyInfo{8, smc::typeCode("ch8*"), 0xD4},
                                                 smc::encodeFloat(1000.0f));
    ASSERT_TRUE(fan.writeFloat("F1Tg", 1000.0f));
    ASSERT_EQ(device.writes().size(), 1);
    // A key wider than the value takes the float in its first four bytes, zeros after.
    std::vector<std::uint8_t> expected(request.data().begin(), request.data().begin() + 8);
    EXPECT_EQ(device.writes().front().bytes, expected);
}

TEST(SMCFan, noControllerMeansNothingAndFalse)
{
    SimulatedSmc device;
    device.addFans(1, 0, 4000, 1000);
    device.setAvailable(false);
    SMCFan fan(device);
    EXPECT_FALSE(fan.open());
    EXPECT_EQ(fan.readUInt8("FNum"), std::nullopt);
    EXPECT_FALSE(fan.writeUInt8("F0Md", 1));
    device.setAvailable(true);
    EXPECT_EQ(fan.readUInt8("FNum"), 1); // the open is tried again on the next exchange
}

TEST(SimulatedSmc, forcedFanFollowsItsTarget)
{
    SimulatedSmc device;
    device.addFans(2, 1000, 6000, 1500);
    device.setFansFollowTargets(true);
    SMCFan fan(device);
    ASSERT_TRUE(fan.writeFloat("F0Tg", 3000.0f)); // automatic: the actual speed stays
    EXPECT_EQ(fan.readFloat("F0Ac"), 1500.0);
    ASSERT_TRUE(fan.writeUInt8("F0Md", 1));
    EXPECT_EQ(fan.readFloat("F0Ac"), 3000.0);
    EXPECT_EQ(fan.readFloat("F1Ac"), 1500.0);
}

namespace {

// A controller that notices two calls at once: the sampling thread and the fan controller must
// never overlap on the one connection.
class OverlapDetector final : public SmcDevice {
public:
    SimulatedSmc inner;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};

    bool open() override { return inner.open(); }
    void close() override { inner.close(); }
    bool isOpen() const override { return inner.isOpen(); }
    std::optional<SMCParamStruct> call(const SMCParamStruct& input) override
    {
        if (++inside > 1)
            overlapped = true;
        std::this_thread::yield();
        auto answer = inner.call(input);
        --inside;
        return answer;
    }
};

} // namespace

TEST(SMC, readsFromTwoThreadsNeverOverlap)
{
    auto owned = std::make_unique<OverlapDetector>();
    OverlapDetector& device = *owned;
    device.inner.setFloat(QStringLiteral("Tp01"), 50.0f);
    device.inner.setFloat(QStringLiteral("F0Mx"), 5000.0f);
    SMC smc(std::move(owned));
    std::atomic<int> wrong{0};
    const auto reader = [&](const char* key, double expected) {
        for (int i = 0; i < 2000; ++i)
            if (smc.readValue(key) != expected)
                ++wrong;
    };
    std::thread sampling(reader, "Tp01", 50.0);
    std::thread controller(reader, "F0Mx", 5000.0);
    sampling.join();
    controller.join();
    EXPECT_FALSE(device.overlapped);
    EXPECT_EQ(wrong, 0);
}

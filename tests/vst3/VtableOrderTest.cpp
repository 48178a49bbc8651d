// Slot order and calling convention: a host calls an interface method as a plain function
// taken from the object's vtable at the documented index, with the object as first argument.
// Here each method of a test object records its name and arguments, and every slot is called
// that way; a method out of order, a missing or extra slot, or (on 32-bit Windows) a method
// without the stack-passed `this` convention shows up as a wrong name or wrong arguments.

#include "Vst3Interface.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vst3;

namespace
{
template <typename Fn> Fn slotOf(void* object, int index)
{
    void** table = nullptr;
    std::memcpy(&table, object, sizeof table);
    Fn fn = nullptr;
    std::memcpy(&fn, &table[index], sizeof fn);
    return fn;
}

struct Call
{
    int slot;
    const char* expected;
    std::function<void(void*)> invoke;
};

// What the last method call saw.
struct Record
{
    std::string name;
    long long a = 0, b = 0, c = 0, d = 0;
    double x = 0;
    const void* p = nullptr;

    tresult hit(const char* n, long long aa = 0, long long bb = 0, long long cc = 0,
                long long dd = 0)
    {
        name = n;
        a = aa;
        b = bb;
        c = cc;
        d = dd;
        return kResultOk;
    }
};

#define OFC_UNKNOWN                                                                                \
    tresult VST3_CALL queryInterface(const TUID, void** obj) override                              \
    {                                                                                              \
        r.p = obj;                                                                                 \
        return r.hit("queryInterface");                                                            \
    }                                                                                              \
    uint32 VST3_CALL addRef() override                                                             \
    {                                                                                              \
        return r.hit("addRef"), 11;                                                                \
    }                                                                                              \
    uint32 VST3_CALL release() override                                                            \
    {                                                                                              \
        return r.hit("release"), 12;                                                               \
    }

#define OFC_PLUGIN_BASE                                                                            \
    tresult VST3_CALL initialize(FUnknown* context) override                                       \
    {                                                                                              \
        r.p = context;                                                                             \
        return r.hit("initialize");                                                                \
    }                                                                                              \
    tresult VST3_CALL terminate() override                                                         \
    {                                                                                              \
        return r.hit("terminate");                                                                 \
    }

class TestComponent : public IComponent
{
  public:
    Record r;
    OFC_UNKNOWN
    OFC_PLUGIN_BASE
    tresult VST3_CALL getControllerClassId(TUID) override { return r.hit("getControllerClassId"); }
    tresult VST3_CALL setIoMode(IoMode m) override { return r.hit("setIoMode", m); }
    int32 VST3_CALL getBusCount(MediaType t, BusDirection d) override
    {
        return r.hit("getBusCount", t, d), 21;
    }
    tresult VST3_CALL getBusInfo(MediaType t, BusDirection d, int32 i, BusInfo&) override
    {
        return r.hit("getBusInfo", t, d, i);
    }
    tresult VST3_CALL getRoutingInfo(RoutingInfo&, RoutingInfo&) override
    {
        return r.hit("getRoutingInfo");
    }
    tresult VST3_CALL activateBus(MediaType t, BusDirection d, int32 i, TBool s) override
    {
        return r.hit("activateBus", t, d, i, s);
    }
    tresult VST3_CALL setActive(TBool s) override { return r.hit("setActive", s); }
    tresult VST3_CALL setState(IBStream*) override { return r.hit("setState"); }
    tresult VST3_CALL getState(IBStream*) override { return r.hit("getState"); }
};

class TestController : public IEditController
{
  public:
    Record r;
    OFC_UNKNOWN
    OFC_PLUGIN_BASE
    tresult VST3_CALL setComponentState(IBStream*) override { return r.hit("setComponentState"); }
    tresult VST3_CALL setState(IBStream*) override { return r.hit("setState"); }
    tresult VST3_CALL getState(IBStream*) override { return r.hit("getState"); }
    int32 VST3_CALL getParameterCount() override { return r.hit("getParameterCount"), 9; }
    tresult VST3_CALL getParameterInfo(int32 i, ParameterInfo&) override
    {
        return r.hit("getParameterInfo", i);
    }
    tresult VST3_CALL getParamStringByValue(ParamID id, ParamValue v, String128) override
    {
        r.x = v;
        return r.hit("getParamStringByValue", id);
    }
    tresult VST3_CALL getParamValueByString(ParamID id, TChar*, ParamValue&) override
    {
        return r.hit("getParamValueByString", id);
    }
    ParamValue VST3_CALL normalizedParamToPlain(ParamID id, ParamValue v) override
    {
        r.hit("normalizedParamToPlain", id);
        return v * 2;
    }
    ParamValue VST3_CALL plainParamToNormalized(ParamID id, ParamValue v) override
    {
        r.hit("plainParamToNormalized", id);
        return v / 2;
    }
    ParamValue VST3_CALL getParamNormalized(ParamID id) override
    {
        r.hit("getParamNormalized", id);
        return 0.25;
    }
    tresult VST3_CALL setParamNormalized(ParamID id, ParamValue v) override
    {
        r.x = v;
        return r.hit("setParamNormalized", id);
    }
    tresult VST3_CALL setComponentHandler(IComponentHandler*) override
    {
        return r.hit("setComponentHandler");
    }
    IPlugView* VST3_CALL createView(FIDString) override
    {
        r.hit("createView");
        return nullptr;
    }
};

class TestRunLoop : public Linux::IRunLoop
{
  public:
    Record r;
    OFC_UNKNOWN
    tresult VST3_CALL registerEventHandler(Linux::IEventHandler*, Linux::FileDescriptor fd) override
    {
        return r.hit("registerEventHandler", fd);
    }
    tresult VST3_CALL unregisterEventHandler(Linux::IEventHandler*) override
    {
        return r.hit("unregisterEventHandler");
    }
    tresult VST3_CALL registerTimer(Linux::ITimerHandler*, Linux::TimerInterval ms) override
    {
        return r.hit("registerTimer", static_cast<long long>(ms));
    }
    tresult VST3_CALL unregisterTimer(Linux::ITimerHandler*) override
    {
        return r.hit("unregisterTimer");
    }
};

#undef OFC_UNKNOWN
#undef OFC_PLUGIN_BASE

// Slots shared by every interface: FUnknown's three.
template <typename T> void addUnknownCalls(std::vector<Call>& calls, T& object)
{
    calls.push_back({0, "queryInterface",
                     [&object](void* self)
                     {
                         void* out = nullptr;
                         auto fn = slotOf<tresult(VST3_CALL*)(void*, const char*, void**)>(self, 0);
                         EXPECT_EQ(fn(self, FUnknown::iid.bytes, &out), kResultOk);
                         EXPECT_EQ(object.r.p, &out);
                     }});
    calls.push_back({1, "addRef", [](void* self) {
                         EXPECT_EQ(slotOf<uint32(VST3_CALL*)(void*)>(self, 1)(self), 11u);
                     }});
    calls.push_back({2, "release", [](void* self) {
                         EXPECT_EQ(slotOf<uint32(VST3_CALL*)(void*)>(self, 2)(self), 12u);
                     }});
}

template <typename T> void addPluginBaseCalls(std::vector<Call>& calls, T& object)
{
    calls.push_back({3, "initialize",
                     [&object](void* self)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, void*)>(self, 3)(self, self);
                         EXPECT_EQ(object.r.p, self);
                     }});
    calls.push_back(
        {4, "terminate", [](void* self) { slotOf<tresult(VST3_CALL*)(void*)>(self, 4)(self); }});
}

template <typename T>
void run(T& object, void* asInterface, const std::vector<Call>& calls, int slotCount)
{
    ASSERT_EQ(static_cast<int>(calls.size()), slotCount);
    for (const Call& c : calls)
    {
        object.r = Record{};
        c.invoke(asInterface);
        EXPECT_EQ(object.r.name, c.expected) << "slot " << c.slot;
    }
}
} // namespace

TEST(Vst3VtableOrder, ComponentSlotsFollowPluginBaseAndUnknown)
{
    TestComponent object;
    IComponent* iface = &object;
    std::vector<Call> calls;
    addUnknownCalls(calls, object);
    addPluginBaseCalls(calls, object);
    using R = Record;
    R& r = object.r;
    calls.push_back({5, "getControllerClassId",
                     [](void* s)
                     {
                         TUID id{};
                         slotOf<tresult(VST3_CALL*)(void*, char*)>(s, 5)(s, id);
                     }});
    calls.push_back({6, "setIoMode",
                     [&r](void* s)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, int32)>(s, 6)(s, kAdvanced);
                         EXPECT_EQ(r.a, kAdvanced);
                     }});
    calls.push_back(
        {7, "getBusCount",
         [&r](void* s)
         {
             EXPECT_EQ((slotOf<int32(VST3_CALL*)(void*, int32, int32)>(s, 7)(s, kAudio, kOutput)),
                       21);
             EXPECT_EQ(r.b, kOutput);
         }});
    calls.push_back({8, "getBusInfo",
                     [&r](void* s)
                     {
                         BusInfo info{};
                         slotOf<tresult(VST3_CALL*)(void*, int32, int32, int32, BusInfo*)>(s, 8)(
                             s, kEvent, kOutput, 5, &info);
                         EXPECT_EQ(r.a, kEvent);
                         EXPECT_EQ(r.c, 5);
                     }});
    calls.push_back({9, "getRoutingInfo",
                     [](void* s)
                     {
                         RoutingInfo in{}, out{};
                         slotOf<tresult(VST3_CALL*)(void*, RoutingInfo*, RoutingInfo*)>(s, 9)(
                             s, &in, &out);
                     }});
    calls.push_back({10, "activateBus",
                     [&r](void* s)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, int32, int32, int32, TBool)>(s, 10)(
                             s, kAudio, kInput, 3, 1);
                         EXPECT_EQ(r.c, 3);
                         EXPECT_EQ(r.d, 1);
                     }});
    calls.push_back({11, "setActive",
                     [&r](void* s)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, TBool)>(s, 11)(s, 1);
                         EXPECT_EQ(r.a, 1);
                     }});
    calls.push_back({12, "setState", [](void* s) {
                         slotOf<tresult(VST3_CALL*)(void*, void*)>(s, 12)(s, nullptr);
                     }});
    calls.push_back({13, "getState", [](void* s) {
                         slotOf<tresult(VST3_CALL*)(void*, void*)>(s, 13)(s, nullptr);
                     }});
    run(object, static_cast<void*>(iface), calls, 14);
}

TEST(Vst3VtableOrder, EditControllerSlotsAndFloatingPointReturns)
{
    TestController object;
    IEditController* iface = &object;
    std::vector<Call> calls;
    addUnknownCalls(calls, object);
    addPluginBaseCalls(calls, object);
    Record& r = object.r;
    using Stream = tresult(VST3_CALL*)(void*, void*);
    calls.push_back({5, "setComponentState", [](void* s) { slotOf<Stream>(s, 5)(s, nullptr); }});
    calls.push_back({6, "setState", [](void* s) { slotOf<Stream>(s, 6)(s, nullptr); }});
    calls.push_back({7, "getState", [](void* s) { slotOf<Stream>(s, 7)(s, nullptr); }});
    calls.push_back({8, "getParameterCount",
                     [](void* s) { EXPECT_EQ(slotOf<int32(VST3_CALL*)(void*)>(s, 8)(s), 9); }});
    calls.push_back({9, "getParameterInfo",
                     [&r](void* s)
                     {
                         ParameterInfo info{};
                         slotOf<tresult(VST3_CALL*)(void*, int32, ParameterInfo*)>(s, 9)(s, 4,
                                                                                         &info);
                         EXPECT_EQ(r.a, 4);
                     }});
    calls.push_back({10, "getParamStringByValue",
                     [&r](void* s)
                     {
                         String128 text{};
                         slotOf<tresult(VST3_CALL*)(void*, ParamID, double, char16*)>(s, 10)(
                             s, 7, 0.75, text);
                         EXPECT_EQ(r.a, 7);
                         EXPECT_EQ(r.x, 0.75);
                     }});
    calls.push_back({11, "getParamValueByString",
                     [&r](void* s)
                     {
                         String128 text{};
                         double value = 0;
                         slotOf<tresult(VST3_CALL*)(void*, ParamID, char16*, double*)>(s, 11)(
                             s, 8, text, &value);
                         EXPECT_EQ(r.a, 8);
                     }});
    calls.push_back(
        {12, "normalizedParamToPlain", [](void* s) {
             EXPECT_EQ((slotOf<double(VST3_CALL*)(void*, ParamID, double)>(s, 12)(s, 1, 0.5)), 1.0);
         }});
    calls.push_back({13, "plainParamToNormalized", [](void* s) {
                         EXPECT_EQ(
                             (slotOf<double(VST3_CALL*)(void*, ParamID, double)>(s, 13)(s, 1, 0.5)),
                             0.25);
                     }});
    calls.push_back({14, "getParamNormalized", [](void* s) {
                         EXPECT_EQ((slotOf<double(VST3_CALL*)(void*, ParamID)>(s, 14)(s, 2)), 0.25);
                     }});
    calls.push_back({15, "setParamNormalized",
                     [&r](void* s)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, ParamID, double)>(s, 15)(s, 3, 0.125);
                         EXPECT_EQ(r.a, 3);
                         EXPECT_EQ(r.x, 0.125);
                     }});
    calls.push_back({16, "setComponentHandler", [](void* s) {
                         slotOf<tresult(VST3_CALL*)(void*, void*)>(s, 16)(s, nullptr);
                     }});
    calls.push_back({17, "createView", [](void* s) {
                         EXPECT_EQ(
                             (slotOf<void*(VST3_CALL*)(void*, const char*)>(s, 17)(s, "editor")),
                             nullptr);
                     }});
    run(object, static_cast<void*>(iface), calls, 18);
}

TEST(Vst3VtableOrder, RunLoopSlotsPassTheTimerIntervalWhole)
{
    TestRunLoop object;
    Linux::IRunLoop* iface = &object;
    std::vector<Call> calls;
    addUnknownCalls(calls, object);
    Record& r = object.r;
    calls.push_back({3, "registerEventHandler",
                     [&r](void* s)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, void*, int)>(s, 3)(s, nullptr, 17);
                         EXPECT_EQ(r.a, 17);
                     }});
    calls.push_back({4, "unregisterEventHandler",
                     [](void* s) { slotOf<tresult(VST3_CALL*)(void*, void*)>(s, 4)(s, nullptr); }});
    calls.push_back({5, "registerTimer",
                     [&r](void* s)
                     {
                         slotOf<tresult(VST3_CALL*)(void*, void*, uint64)>(s, 5)(s, nullptr,
                                                                                 0x100000010ull);
                         EXPECT_EQ(r.a, 0x100000010ll);
                     }});
    calls.push_back({6, "unregisterTimer",
                     [](void* s) { slotOf<tresult(VST3_CALL*)(void*, void*)>(s, 6)(s, nullptr); }});
    run(object, static_cast<void*>(iface), calls, 7);
}

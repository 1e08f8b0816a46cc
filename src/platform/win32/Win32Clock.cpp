#include "platform/win32/Win32Clock.h"

#include <windows.h>
#undef MessageBox
#include <mmsystem.h>

namespace platform::win32 {
namespace {

constexpr UINT TimerPeriodMs = 1;
constexpr int64_t MicrosPerSecond = 1'000'000;
constexpr int64_t MicrosPerMilli = 1'000;
constexpr int64_t HundredNanosPerMicro = 10;
// Newer than some headers: a timer that wakes within a fraction of a millisecond.
constexpr DWORD HighResolutionTimerFlag = 0x00000002;

}  // namespace

Win32Clock::Win32Clock() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, HighResolutionTimerFlag, TIMER_ALL_ACCESS);
    // Without it Sleep wakes on the system timer, which then must tick each millisecond.
    if (timer_ == nullptr) periodSet_ = timeBeginPeriod(TimerPeriodMs) == TIMERR_NOERROR;
}

Win32Clock::~Win32Clock() {
    if (timer_ != nullptr) CloseHandle(timer_);
    if (periodSet_) timeEndPeriod(TimerPeriodMs);
}

bool Win32Clock::performanceFrequency(int64_t& ticksPerSecond) {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
    ticksPerSecond = frequency.QuadPart;
    return true;
}

int64_t Win32Clock::performanceCounter() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

uint32_t Win32Clock::milliseconds() {
    return timeGetTime();
}

void Win32Clock::sleepMicroseconds(int64_t micros) {
    if (micros <= 0) return;
    if (timer_ != nullptr) {
        LARGE_INTEGER due{};
        due.QuadPart = -micros * HundredNanosPerMicro;  // negative: relative to now
        if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
            WaitForSingleObject(timer_, INFINITE);
            return;
        }
    }
    Sleep(static_cast<DWORD>(micros / MicrosPerMilli));
}

void Win32Clock::sleepUntilCounter(int64_t ticks) {
    int64_t frequency = 0;
    if (!performanceFrequency(frequency)) return;
    const int64_t remaining = ticks - performanceCounter();
    if (remaining <= 0) return;
    sleepMicroseconds(remaining / frequency * MicrosPerSecond +
                      remaining % frequency * MicrosPerSecond / frequency);
}

}  // namespace platform::win32

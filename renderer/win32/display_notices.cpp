#include "display_notices.h"

#include <cstring>
#include <iterator>

#include "display_state.h"

// Defined here: MinGW's headers lack the newer ones.
const GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID kSessionDisplayStatus = {
    0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
const GUID kEnergySaverStatus = {
    0x550e8400, 0xe29b, 0x41d4, {0xa7, 0x16, 0x44, 0x66, 0x55, 0x44, 0x00, 0x00}};
const GUID kPowerSavingStatus = {
    0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

namespace {

struct Setting {
    const GUID* id;
    DisplayNotice notice;
};

const Setting kSettings[] = {{&kConsoleDisplayState, DisplayNotice::Power},
                             {&kSessionDisplayStatus, DisplayNotice::Power},
                             {&kEnergySaverStatus, DisplayNotice::EnergySaver},
                             {&kPowerSavingStatus, DisplayNotice::BatterySaver}};

// One per setting; null where Windows does not know it.
HPOWERNOTIFY g_registrations[std::size(kSettings)];

} // namespace

void ListenForDisplayNotices(HWND window)
{
    for (size_t i = 0; i < std::size(kSettings); ++i)
        g_registrations[i] =
            RegisterPowerSettingNotification(window, kSettings[i].id, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void StopDisplayNotices()
{
    for (HPOWERNOTIFY& registration : g_registrations) {
        if (registration)
            UnregisterPowerSettingNotification(registration);
        registration = nullptr;
    }
}

bool TakeDisplayNotice(WPARAM event, LPARAM data)
{
    if (event != PBT_POWERSETTINGCHANGE || !data)
        return false;
    const auto* change = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    DWORD value;
    if (change->DataLength < sizeof value)
        return false;
    for (const Setting& setting : kSettings) {
        if (IsEqualGUID(change->PowerSetting, *setting.id)) {
            std::memcpy(&value, change->Data, sizeof value);
            NoteDisplay(setting.notice, value);
            return true;
        }
    }
    return false;
}

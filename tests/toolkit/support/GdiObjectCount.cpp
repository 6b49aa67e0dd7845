#include "GdiObjectCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>

namespace VantorTest {

namespace {

static_assert(sizeof(void*) == 8, "the handle table layout read here is the 64-bit one");

// Under Wine, GetGuiResources reports nothing, but the process's GDI handle table is mapped
// into the process: its address is at this offset of the 64-bit PEB.
constexpr std::size_t handleTableOffset = 0xF8;
// Each entry is 24 bytes: the object's address (8), owner (4), the handle's upper word (2),
// then the object type (1), which is 0 while the entry is free.
constexpr std::size_t entrySize = 24;
constexpr std::size_t typeOffset = 14;
// A handle's low 16 bits index the table, so no more entries than this are ever used (Wine 8
// maps exactly this many).
constexpr std::size_t maxEntries = 0x10000;

bool RunningUnderWine(HMODULE ntdll)
{
    return ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The PEB of this process, asked of ntdll (reading it through the gs segment trips GCC's
// bounds checking on the intrinsic).
const unsigned char* ProcessEnvironment(HMODULE ntdll)
{
    using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basics{};
    if (!query || query(::GetCurrentProcess(), ProcessBasicInformation, &basics, sizeof(basics), nullptr) < 0)
        return nullptr;
    return reinterpret_cast<const unsigned char*>(basics.PebBaseAddress);
}

int CountTableEntries(HMODULE ntdll)
{
    const unsigned char* environment = ProcessEnvironment(ntdll);
    if (!environment)
        return -1;
    const auto* table = *reinterpret_cast<const unsigned char* const*>(environment + handleTableOffset);
    // Scan only what is mapped from the table on, so a smaller table cannot fault the scan.
    MEMORY_BASIC_INFORMATION region{};
    if (!table || !::VirtualQuery(table, &region, sizeof(region)) || region.State != MEM_COMMIT)
        return -1;
    const auto* regionEnd = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    std::size_t entries = static_cast<std::size_t>(regionEnd - table) / entrySize;
    if (entries > maxEntries)
        entries = maxEntries;
    int live = 0;
    for (std::size_t index = 0; index < entries; ++index) {
        if (table[index * entrySize + typeOffset] & 0x7F)
            ++live;
    }
    return live;
}

} // namespace

int CountLiveGdiObjects()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (ntdll && RunningUnderWine(ntdll))
        return CountTableEntries(ntdll);
    // Windows keeps one table for the whole session there, but counts per process itself.
    return static_cast<int>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
}

} // namespace VantorTest

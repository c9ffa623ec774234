// SPDX-License-Identifier: MIT
// Modules that look like the exact module to the loader but must be refused.
// Built three times. With KALVORA_FAKE_GONE it is a library that is moved
// out of every path; with KALVORA_FAKE_UNDEFINED a module that needs it, so
// the dynamic loader refuses that module; otherwise a module whose entry gives
// what KALVORA_FAKE_STAMP asks for, read when the loader calls it.

#include "exact_api.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#if defined(KALVORA_FAKE_GONE)
extern "C" __attribute__((visibility("default"))) void KalvoraNobodyDefinesThis() { }
#elif defined(KALVORA_FAKE_UNDEFINED)
extern "C" void KalvoraNobodyDefinesThis();
extern "C" __attribute__((visibility("default"))) void KalvoraFakeNeedsIt()
{
    KalvoraNobodyDefinesThis();
}
#else
namespace {

void Stub() { }

// The first version's table: the functions at once, no stamp.
void (*const kStale[6])() = {&Stub, &Stub, &Stub, &Stub, &Stub, &Stub};

ExactApiStamp stamp;

} // namespace

extern "C" __attribute__((visibility("default"))) const ExactApiStamp* KalvoraExactApi()
{
    const char* asked = std::getenv("KALVORA_FAKE_STAMP");
    const std::string_view kind = asked ? asked : "";
    if (kind == "stale")
        return reinterpret_cast<const ExactApiStamp*>(kStale);
    stamp = kExactApiStamp;
    if (kind == "null")
        return nullptr;
    else if (kind == "magic")
        stamp.magic[0] = 'k';
    else if (kind == "size")
        stamp.size -= 8;
    else if (kind == "version")
        ++stamp.version;
    else if (kind == "layout")
        stamp.layout ^= 1;
    else if (kind == "string")
        stamp.stringSize += 8;
    else if (kind == "abi")
        stamp.libraryAbi ^= 1;
    else if (kind == "table")
        stamp.tableSize += sizeof(void*);
    return &stamp;
}
#endif

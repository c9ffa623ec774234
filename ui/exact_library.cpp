// SPDX-License-Identifier: MIT
#include "exact_library.h"

#include "exact_api.h"

#include <QCoreApplication>
#include <QDir>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

// The linker's name for this program's own ELF header, mapped with it: what
// a module must match to run here (class, byte order, machine).
extern "C" const ElfW(Ehdr) __ehdr_start;

namespace {

using Exact::ModuleCheck;
using Exact::ModuleStatus;

ModuleCheck Checked(ModuleStatus status)
{
    switch (status) {
    case ModuleStatus::Loaded: return {status, "loaded"};
    case ModuleStatus::NotFound: return {status, "not found"};
    case ModuleStatus::Unreadable: return {status, "could not be read"};
    case ModuleStatus::NotRegularFile: return {status, "not a regular file"};
    case ModuleStatus::NotCompleteElf: return {status, "not a complete ELF object"};
    case ModuleStatus::OtherMachine: return {status, "built for another kind of computer"};
    case ModuleStatus::NotLoadable: return {status, "could not be loaded"};
    case ModuleStatus::NoEntry: return {status, "not an exact module of Kalvora"};
    case ModuleStatus::NoTable: return {status, "its entry gave no table"};
    case ModuleStatus::OtherVersion: return {status, "built for another version of Kalvora"};
    }
    return {status, "refused"};
}

// The file descriptor, closed however the checks end.
class File {
public:
    explicit File(const std::string& path)
        : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
    }
    ~File()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    int fd() const { return fd_; }

    // Exactly size bytes at offset, or false.
    bool Read(void* into, std::size_t size, std::uint64_t offset) const
    {
        auto* bytes = static_cast<char*>(into);
        while (size > 0) {
            const ssize_t got = pread(fd_, bytes, size, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            bytes += got;
            size -= static_cast<std::size_t>(got);
            offset += static_cast<std::uint64_t>(got);
        }
        return true;
    }

private:
    int fd_;
};

// Whether count entries of entrySize bytes from offset lie within the file.
bool Within(std::uint64_t offset, std::uint64_t count, std::uint64_t entrySize, std::uint64_t fileSize)
{
    std::uint64_t bytes = 0;
    std::uint64_t end = 0;
    return !__builtin_mul_overflow(count, entrySize, &bytes) && !__builtin_add_overflow(offset, bytes, &end)
        && end <= fileSize;
}

// The dynamic loader maps a module's segments as its headers describe them
// and faults (SIGBUS) on the first page past the end of a file cut short, so
// everything it will map must be in the file before it sees it.
ModuleStatus CheckElf(const File& file, std::uint64_t fileSize)
{
    ElfW(Ehdr) header;
    if (!file.Read(&header, sizeof header, 0) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return ModuleStatus::NotCompleteElf;
    if (header.e_ident[EI_CLASS] != __ehdr_start.e_ident[EI_CLASS]
        || header.e_ident[EI_DATA] != __ehdr_start.e_ident[EI_DATA] || header.e_machine != __ehdr_start.e_machine)
        return ModuleStatus::OtherMachine;
    if (header.e_type != ET_DYN || header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0
        || !Within(header.e_phoff, header.e_phnum, header.e_phentsize, fileSize))
        return ModuleStatus::NotCompleteElf;
    // The section headers come last in the file: a file cut anywhere loses them.
    if (header.e_shoff == 0 || header.e_shentsize != sizeof(ElfW(Shdr))
        || !Within(header.e_shoff, header.e_shnum == 0 ? 1 : header.e_shnum, header.e_shentsize, fileSize))
        return ModuleStatus::NotCompleteElf;
    bool loads = false;
    for (ElfW(Half) i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        if (!file.Read(&segment, sizeof segment, header.e_phoff + std::uint64_t{i} * sizeof segment))
            return ModuleStatus::NotCompleteElf;
        if (segment.p_type != PT_LOAD)
            continue;
        if (!Within(segment.p_offset, 1, segment.p_filesz, fileSize))
            return ModuleStatus::NotCompleteElf;
        loads = true;
    }
    return loads ? ModuleStatus::Loaded : ModuleStatus::NotCompleteElf;
}

// The checks that need no loading: a regular file, opened without blocking
// (a FIFO in the module's place must not freeze the window), and a complete
// ELF object for this computer.
ModuleCheck CheckFile(const std::string& path)
{
    const File file(path);
    if (file.fd() < 0)
        return Checked(errno == ENOENT || errno == ENOTDIR ? ModuleStatus::NotFound : ModuleStatus::Unreadable);
    struct stat facts { };
    if (fstat(file.fd(), &facts) != 0)
        return Checked(ModuleStatus::Unreadable);
    if (!S_ISREG(facts.st_mode))
        return Checked(ModuleStatus::NotRegularFile);
    return Checked(CheckElf(file, static_cast<std::uint64_t>(facts.st_size)));
}

// The dynamic loader's messages in English whatever the user's language, so
// that the line on standard error is in one language.
class CMessages {
public:
    CMessages()
        : c_(newlocale(LC_ALL_MASK, "C", nullptr))
        , previous_(c_ ? uselocale(c_) : nullptr)
    {
    }
    ~CMessages()
    {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CMessages(const CMessages&) = delete;
    CMessages& operator=(const CMessages&) = delete;

private:
    locale_t c_;
    locale_t previous_;
};

bool SameStamp(const ExactApiStamp& stamp)
{
    // Magic and size first: a stamp of another size must not be read past its end.
    return std::memcmp(stamp.magic, kExactApiMagic, sizeof kExactApiMagic) == 0 && stamp.size == sizeof stamp
        && std::memcmp(&stamp, &kExactApiStamp, sizeof stamp) == 0;
}

struct Candidate {
    std::string path;
    bool chosen; // named by KALVORA_EXACT_MODULE rather than guessed
};

std::vector<Candidate> FindCandidates()
{
    std::vector<Candidate> places;
    const QString chosen = qEnvironmentVariable("KALVORA_EXACT_MODULE");
    if (!chosen.isEmpty())
        places.push_back({chosen.toStdString(), true});
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& place : {here + QStringLiteral("/kalvora-exact.so"),
             QDir::cleanPath(here + QStringLiteral("/" KALVORA_MODULE_FROM_PROGRAM "/kalvora-exact.so"))})
        places.push_back({place.toStdString(), false});
    return places;
}

// The places in their order, worked out once: the application's folder is
// asked of Qt on the window's thread (PrepareLoad), never on a worker.
const std::vector<Candidate>& Candidates()
{
    static const std::vector<Candidate> places = FindCandidates();
    return places;
}

// A module taken: its table.
struct Module {
    const ExactApi* table = nullptr;
};

// The checks in their order; the module is set only when every one passes.
ModuleCheck Open(const std::string& path, Module& taken)
{
    ModuleCheck check = CheckFile(path);
    if (check.status != ModuleStatus::Loaded)
        return check;
    // A bare name would send the dynamic loader searching the library path.
    const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
    void* module = nullptr;
    {
        const CMessages english;
        module = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = dlerror();
            check = Checked(ModuleStatus::NotLoadable);
            if (why)
                check.reason += std::string(": ") + why;
            return check;
        }
    }
    const auto entry = reinterpret_cast<ExactApiEntry>(dlsym(module, kExactApiSymbol));
    const ExactApiStamp* stamp = entry ? entry() : nullptr;
    const ModuleStatus status = !entry ? ModuleStatus::NoEntry
        : !stamp                       ? ModuleStatus::NoTable
        : !SameStamp(*stamp)           ? ModuleStatus::OtherVersion
                                       : ModuleStatus::Loaded;
    if (status != ModuleStatus::Loaded) {
        dlclose(module);
        return Checked(status);
    }
    // Taken: its symbols stay to itself, and it is never unloaded.
    taken.table = reinterpret_cast<const ExactApi*>(stamp);
    return Checked(status);
}

Module Load()
{
    Module taken;
    std::vector<Exact::Refusal> refused;
    std::vector<Exact::Refusal> worthSaying;
    std::string takenPath;
    for (const Candidate& place : Candidates()) {
        const ModuleCheck check = Open(place.path, taken);
        if (check.status == ModuleStatus::Loaded) {
            takenPath = place.path;
            break;
        }
        refused.push_back({place.path, check.reason});
        // A guessed place that holds nothing is the usual case, not news.
        if (place.chosen || check.status != ModuleStatus::NotFound)
            worthSaying.push_back(refused.back());
    }
    const std::string line = Exact::RefusalLine(takenPath.empty() ? refused : worthSaying, takenPath);
    if (!line.empty())
        std::fprintf(stderr, "%s\n", line.c_str());
    return taken;
}

// Loaded by the first caller, on whichever thread; callers meanwhile wait
// (a function-local static is initialised exactly once).
std::atomic<bool> loaded{false};

const Module& TheModule()
{
    static const Module module = [] {
        const Module found = Load();
        loaded = true;
        return found;
    }();
    return module;
}

const ExactApi* Library()
{
    return TheModule().table;
}

std::atomic<long long> workDelayMs{0};

} // namespace

namespace Exact {

ModuleCheck TryLoad(const std::string& path)
{
    Module module;
    return Open(path, module);
}

void PrepareLoad()
{
    Candidates();
}

void ReleaseThreadCaches()
{
    if (loaded && TheModule().table)
        TheModule().table->releaseThreadCaches();
}

void SetWorkDelayForTests(std::chrono::milliseconds delay)
{
    workDelayMs = delay.count();
}

std::chrono::milliseconds WorkDelayForTests()
{
    return std::chrono::milliseconds(workDelayMs.load());
}

std::string RefusalLine(const std::vector<Refusal>& refused, const std::string& taken)
{
    if (refused.empty())
        return {};
    std::string places;
    for (const Refusal& place : refused)
        places += (places.empty() ? "" : "; ") + place.path + ": " + place.reason;
    if (taken.empty())
        return "kalvora: exact answers unavailable: " + places + " (exact answers show " + kApproxMark + ")";
    return "kalvora: exact module refused: " + places + "; using " + taken;
}

std::vector<ExactRoot> Roots(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    return Library() ? Library()->roots(keisuu, shown) : std::vector<ExactRoot>(shown.size());
}

ExactVector Solve(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    return Library() ? Library()->solve(rows, rhs) : ExactVector{};
}

ExactText Determinant(const BoxRows& rows)
{
    return Library() ? Library()->determinant(rows) : std::nullopt;
}

ExactMatrix Inverse(const BoxRows& rows)
{
    return Library() ? Library()->inverse(rows) : ExactMatrix{};
}

ExactText Sigma(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu)
{
    return Library() ? Library()->sigma(first, last, keisuu) : std::nullopt;
}

ExactText TriangleArea(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    return Library() ? Library()->triangleArea(txtH, txtK) : std::nullopt;
}

WorkedSteps GcdSteps(const std::array<std::string, 2>& txtNum)
{
    return Library() ? Library()->gcdSteps(txtNum) : WorkedSteps{};
}

WorkedSteps RootSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    return Library() ? Library()->rootSteps(keisuu, shown) : WorkedSteps{};
}

WorkedSteps SigmaSteps(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu)
{
    return Library() ? Library()->sigmaSteps(first, last, keisuu) : WorkedSteps{};
}

WorkedSteps SolveSteps(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    return Library() ? Library()->solveSteps(rows, rhs) : WorkedSteps{};
}

WorkedSteps DeterminantSteps(const BoxRows& rows)
{
    return Library() ? Library()->determinantSteps(rows) : WorkedSteps{};
}

WorkedSteps InverseSteps(const BoxRows& rows)
{
    return Library() ? Library()->inverseSteps(rows) : WorkedSteps{};
}

WorkedSteps TriangleSteps(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    return Library() ? Library()->triangleSteps(txtH, txtK) : WorkedSteps{};
}

} // namespace Exact

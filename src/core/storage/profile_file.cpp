#include "core/storage/profile_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/model/short_text.h"

namespace varnelle {

// One line of a section, 16 bytes: a large budget has half a million of them. Offsets
// point into the bytes read, or into the arena for lines written since. The key is found
// again from the line when it is needed.
struct ProfileFile::Entry {
    static constexpr std::uint16_t kKeyElsewhere = 0xFFFF;

    std::uint32_t lineOffset = 0;
    std::uint32_t lineLength : 30 = 0;  // files are at most kMaxFileBytes
    std::uint32_t isKey : 1 = 0;
    std::uint32_t inArena : 1 = 0;
    std::uint32_t valueOffset = 0;
    std::uint16_t valueLength = 0;  // at most kMaxValueLength
    // Length of a key that starts the line, or kKeyElsewhere to look for it in the line.
    std::uint16_t keyLength = kKeyElsewhere;
};
static_assert(ProfileFile::kMaxValueLength < 0xFFFF);
static_assert(ProfileFile::kMaxFileBytes < (std::uint64_t{1} << 30));

class ProfileFile::Section {
public:
    bool hasHeader = false;
    bool headerInArena = false;
    std::uint32_t headerOffset = 0, headerLength = 0;  // the whole header line
    std::uint32_t nameOffset = 0, nameLength = 0;
    // Lines of a section read from the file are split on first use: reading a budget goes
    // through its large sections once, key by key, and never needs them stored.
    mutable bool lazy = false;
    std::uint32_t bodyOffset = 0, bodyLength = 0;  // in the bytes read
    mutable std::vector<Entry> entries;
    // Open-addressing table of the first entry of each key, built on the first lookup.
    struct Slot {
        std::uint32_t entry = 0;  // index + 1; 0 for an empty slot
        std::uint32_t hash = 0;
    };
    mutable std::vector<Slot> index;
    mutable std::size_t indexed = 0;
};

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

struct HashKey {
    std::uint64_t k0 = 0, k1 = 0;
};

HashKey randomHashKey() {
    std::random_device device;
    HashKey key;
    key.k0 = (std::uint64_t{device()} << 32) ^ device();
    key.k1 = (std::uint64_t{device()} << 32) ^ device();
    return key;
}

std::uint64_t rotl(std::uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// SipHash-1-3 of the key in lower case, under a secret drawn once per run: a file cannot
// choose keys that pile up in one place of the index and make every lookup a long scan.
std::uint32_t hashNoCase(std::string_view s) {
    static const HashKey key = randomHashKey();
    std::uint64_t v0 = key.k0 ^ 0x736f6d6570736575ull, v1 = key.k1 ^ 0x646f72616e646f6dull,
                  v2 = key.k0 ^ 0x6c7967656e657261ull, v3 = key.k1 ^ 0x7465646279746573ull;
    const auto round = [&] {
        v0 += v1;
        v1 = rotl(v1, 13) ^ v0;
        v0 = rotl(v0, 32);
        v2 += v3;
        v3 = rotl(v3, 16) ^ v2;
        v0 += v3;
        v3 = rotl(v3, 21) ^ v0;
        v2 += v1;
        v1 = rotl(v1, 17) ^ v2;
        v2 = rotl(v2, 32);
    };
    const auto block = [&](std::uint64_t m) {
        v3 ^= m;
        round();
        v0 ^= m;
    };
    std::uint64_t m = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        m |= std::uint64_t{static_cast<unsigned char>(lower(s[i]))} << (8 * (i % 8));
        if (i % 8 == 7) {
            block(m);
            m = 0;
        }
    }
    block(m | (std::uint64_t{s.size() & 0xFF} << 56));
    v2 ^= 0xFF;
    round();
    round();
    round();
    const std::uint64_t h = v0 ^ v1 ^ v2 ^ v3;
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && ProfileFile::isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && ProfileFile::isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool enclosedInQuotes(std::string_view s) {
    return s.size() >= 2 && isQuote(s.front()) && s.front() == s.back();
}

// Finds the ends of lines and the "=" of a text going forward, from masks of 64 bytes at a
// time: bit i of a mask stands for the byte i places after the block's start. One pass over
// a block serves the few lines it holds, instead of a search started afresh for each.
class LineMarks final {
public:
    LineMarks(const char* p, const char* end) : end_(end) { load(p); }

    // The first CR or LF at or after p, or the end.
    const char* nextEnd(const char* p) { return next(p, ends_); }
    // The first "=", CR or LF at or after p, or the end.
    const char* nextStop(const char* p) { return next(p, stops_); }

private:
    static constexpr std::ptrdiff_t kBlock = 64;
    static constexpr std::ptrdiff_t kAhead = 1024;

    // Positions only go forward, and a block is loaded when one goes past it.
    const char* next(const char* p, const std::uint64_t& mask) {
        while (p < end_) {
            if (p - block_ >= kBlock) load(p);
            const std::uint64_t ahead = mask >> (p - block_);
            if (ahead != 0) return p + std::countr_zero(ahead);
            p = block_ + kBlock;
        }
        return end_;
    }

    void load(const char* p) {
        block_ = p;
        // A large section is read once from memory: asking ahead hides the wait.
        if (end_ - p > kAhead) __builtin_prefetch(p + kAhead);
        const char* bytes = p;
        char tail[kBlock];
        if (end_ - p < kBlock) {
            // Zeros past the end mark nothing.
            std::memset(tail, 0, sizeof tail);
            std::memcpy(tail, p, static_cast<std::size_t>(end_ - p));
            bytes = tail;
        }
        std::uint64_t equals = 0, ends = 0;
#if defined(__SSE2__)
        for (std::ptrdiff_t part = 0; part < 4; ++part) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
            const auto bits = [](__m128i m) {
                return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(m))};
            };
            equals |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8('='))) << (16 * part);
            ends |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')) |
                         _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')))
                    << (16 * part);
        }
#else
        for (int i = 0; i < kBlock; ++i) {
            equals |= std::uint64_t{bytes[i] == '='} << i;
            ends |= std::uint64_t{bytes[i] == '\r' || bytes[i] == '\n'} << i;
        }
#endif
        ends_ = ends;
        stops_ = ends | equals;
    }

    const char* const end_;
    const char* block_ = nullptr;
    std::uint64_t ends_ = 0, stops_ = 0;
};

std::uint32_t u32(std::size_t n) {
    return static_cast<std::uint32_t>(n);
}

// Calls onLine(line) for every line of `body`; lines end at LF, CR or CR LF.
template <class OnLine> void forEachLine(std::string_view body, OnLine&& onLine) {
    const char* p = body.data();
    const char* const end = p + body.size();
    // The next LF and the next CR ahead of p, each searched for once.
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found != nullptr ? static_cast<const char*>(found) : end;
    };
    const char* nextLf = next(p, '\n');
    const char* nextCr = next(p, '\r');
    while (p < end) {
        if (nextLf < p) nextLf = next(p, '\n');
        if (nextCr < p) nextCr = next(p, '\r');
        const char* lineEnd = std::min(nextLf, nextCr);
        onLine(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
        if (lineEnd == end) break;
        p = lineEnd + (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n' ? 2 : 1);
    }
}

// A line of a section: a key and its value as a read returns it, or no key at all
// (blank lines, comments, lines without "=").
struct LineParts {
    bool isKey = false;
    bool keyStartsLine = false;
    std::string_view key;
    std::string_view value;
};

LineParts splitLine(std::string_view line) {
    LineParts parts;
    std::size_t first = 0;
    while (first < line.size() && ProfileFile::isBlank(line[first])) ++first;
    if (first == line.size() || line[first] == ';') return parts;
    const std::size_t equal = line.find('=', first);
    if (equal == std::string_view::npos) return parts;
    parts.isKey = true;
    parts.keyStartsLine = first == 0;
    parts.key = trimBlanks(line.substr(first, equal - first));
    parts.value = trimBlanks(line.substr(equal + 1));
    if (enclosedInQuotes(parts.value)) parts.value = parts.value.substr(1, parts.value.size() - 2);
    if (parts.value.size() > ProfileFile::kMaxValueLength)
        parts.value = parts.value.substr(0, ProfileFile::kMaxValueLength);
    return parts;
}

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The new file of a save while its text is made: removed unless kept.
class Temporary final {
public:
    explicit Temporary(const std::string& target)
        : name_(target + ".tmpXXXXXX"), fd_(::mkstemp(name_.data())) {  // owner-only
        kept_ = fd_ < 0;  // nothing was created to be removed
    }
    ~Temporary() {
        if (fd_ >= 0) ::close(fd_);
        if (!kept_) ::unlink(name_.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    // Syncs and closes the file: the errno of the step that failed, or 0.
    int close() {
        int failure = ::fsync(fd_) == 0 ? 0 : errno;
        if (::close(fd_) != 0 && failure == 0) failure = errno;
        fd_ = -1;
        return failure;
    }
    void keep() { kept_ = true; }

private:
    std::string name_;
    int fd_;
    bool kept_ = false;
};

// Writes `content` to a new file in the folder of `target`, synced, and returns its path.
std::optional<std::string> writeTemporary(const std::string& target, std::string_view content,
                                          int& error) {
    Temporary temporary(target);
    if (temporary.fd() < 0) {
        error = errno;
        return std::nullopt;
    }
    error = writeAll(temporary.fd(), content) ? 0 : errno;
    if (const int closed = temporary.close(); error == 0) error = closed;
    if (error != 0) return std::nullopt;
    temporary.keep();
    return temporary.name();
}

// The errno of a failed sync of the folder holding `file`, or 0.
int syncFolder(const std::filesystem::path& file) {
    const int fd = ::open(file.parent_path().empty() ? "." : file.parent_path().c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

// An exclusive advisory lock on the file at `path` while it lives; none when the file cannot
// be opened (it does not exist yet, and the exclusive rename guards its creation).
class FileLock final {
public:
    explicit FileLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

// Removes what an interrupted save of `target` left: "<name>.tmpXXXXXX" and the backup's own
// temporaries. Only called under the file's lock, when no other save of it is under way.
void removeStaleTemporaries(const std::string& target) {
    const std::filesystem::path path(target);
    const std::string name = path.filename().string();
    const std::string prefixes[] = {name + ".tmp", name + ".bak.tmp"};
    std::error_code error;
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string entry = it->path().filename().string();
        for (const std::string& prefix : prefixes)
            if (entry.size() == prefix.size() + 6 && entry.starts_with(prefix))
                ::unlink(it->path().c_str());
    }
}

std::optional<std::string> readWhole(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

// From this size on, the backup a save replaces is let go on a second thread.
constexpr off_t kBackupLetGoAside = off_t{1} << 20;

// Gives a large backup a second name, `old`, that only discarded versions ever bear, so that
// the rename replacing the backup does not free its blocks: for a large file that holds the
// save for milliseconds. False when it does not, and the rename frees them as usual.
bool nameAside(const std::string& backup, const std::string& old) {
    struct stat info {};
    if (::stat(backup.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size < kBackupLetGoAside)
        return false;
    if (::link(backup.c_str(), old.c_str()) == 0) return true;
    // Left by a save that stopped halfway, or not yet dropped after the last one.
    return errno == EEXIST && ::unlink(old.c_str()) == 0 &&
           ::link(backup.c_str(), old.c_str()) == 0;
}

// Drops that name, and the blocks with it, on a second thread. A save that comes before it
// is done drops it itself; either way only a discarded version is ever freed.
void dropAside(const std::string& old) {
    try {
        std::thread([old] { ::unlink(old.c_str()); }).detach();
    } catch (const std::system_error&) {
        ::unlink(old.c_str());
    }
}

// Keeps the file as it is now under "<name>.bak": a second name for the same bytes when the
// file system allows it, else a synced copy.
bool keepBackup(const std::string& path, int& error) {
    const std::string backup = path + ".bak";
    const std::string link = backup + ".new";
    ::unlink(link.c_str());
    if (::link(path.c_str(), link.c_str()) == 0) {
        // The former file becomes the backup, owner-only as every file a save writes.
        if (::chmod(link.c_str(), S_IRUSR | S_IWUSR) == 0) {
            const std::string old = backup + ".old";
            const bool aside = nameAside(backup, old);
            const bool renamed = ::rename(link.c_str(), backup.c_str()) == 0;
            if (!renamed) error = errno;
            if (aside) dropAside(old);
            if (renamed) return true;
        } else {
            error = errno;
        }
        ::unlink(link.c_str());
        return false;
    }
    const auto content = readWhole(path, error);
    if (!content) return false;
    const auto temporary = writeTemporary(backup, *content, error);
    if (!temporary) return false;
    if (::rename(temporary->c_str(), backup.c_str()) != 0) {
        error = errno;
        ::unlink(temporary->c_str());
        return false;
    }
    return true;
}

// Gives `advice` on the whole blocks of `block` bytes (a power of two) that lie inside
// [data, data + bytes), and on nothing else.
void conseilSurBlocs(char* data, std::size_t bytes, std::uintptr_t block, int advice) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + block - 1) & ~(block - 1);
    const std::uintptr_t last = (begin + bytes) & ~(block - 1);
    if (last <= first) return;
    // The aligned start as a pointer into the buffer itself, not one made from an integer.
    ::madvise(data + (first - begin), last - first, advice);
}

}  // namespace

ProfileFile::ProfileFile() {
    sections_.emplace_back();
}

ProfileFile::ProfileFile(std::string content) : text_(std::move(content)) {
    if (text_.size() > kMaxFileBytes) text_.clear();
    parse();
}

ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(const ProfileFile&) = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

ProfileFile::OpenStatus ProfileFile::open(const std::filesystem::path& path) {
    *this = ProfileFile();
    // A pipe or a device named like a budget would block the read or answer forever: only
    // a regular file is opened, and without waiting for a writer should it be swapped in.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) return OpenStatus::Unreadable;
        path_ = path;
        return OpenStatus::Missing;
    }
    if (!S_ISREG(info.st_mode)) return OpenStatus::Unreadable;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) return OpenStatus::Unreadable;
        path_ = path;
        return OpenStatus::Missing;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return OpenStatus::Unreadable;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
        ::close(fd);
        return OpenStatus::TooLarge;
    }
    // Read into a buffer of the file's size: growing it would copy, and a large budget
    // would need twice its size to open.
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    preferLargePages(content.data(), content.capacity());
    content.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    char more[4096];
    for (;;) {
        const bool full = got == content.size();
        char* into = full ? more : content.data() + got;
        const ssize_t n = ::read(fd, into, full ? sizeof more : content.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return OpenStatus::Unreadable;
        }
        if (n == 0) break;
        // Only a file that grew since it was measured gets here with a full buffer.
        if (full) content.append(more, static_cast<std::size_t>(n));
        got += static_cast<std::size_t>(n);
        if (got > kMaxFileBytes) {
            ::close(fd);
            return OpenStatus::TooLarge;
        }
    }
    ::close(fd);
    content.resize(got);
    text_ = std::move(content);
    parse();
    path_ = path;
    disk_ = Snapshot{true,
                     static_cast<std::uint64_t>(info.st_dev),
                     static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::uint64_t>(info.st_size),
                     nanoseconds(info.st_mtim),
                     nanoseconds(info.st_ctim)};
    if (got != static_cast<std::size_t>(info.st_size)) disk_ = snapshotOf(path);
    return OpenStatus::Ok;
}

void ProfileFile::parse(const std::vector<std::size_t>& known) {
    static_assert(sizeof(Entry) == 16, "entries are many: keep them small");
    sections_.clear();
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    const auto offset = [begin](const char* at) {
        return u32(static_cast<std::size_t>(at - begin));
    };
    // Only the section headers are found now. A header is a line whose first non-blank
    // character is "[": every "[" of the text is looked at, and budgets have few.
    Section preamble;
    preamble.lazy = true;
    sections_.push_back(preamble);
    const char* searchEnd = known.empty() ? end : begin + std::min(known.front(), text_.size());
    const char* p = begin;
    auto next = known.begin();
    while (p < end) {
        const char* bracket = nullptr;
        if (p < searchEnd) {
            const void* found = std::memchr(p, '[', static_cast<std::size_t>(searchEnd - p));
            if (found == nullptr) p = searchEnd;
            bracket = static_cast<const char*>(found);
        }
        if (bracket == nullptr) {
            if (next == known.end()) break;
            bracket = begin + *next++;
            if (bracket < p || bracket >= end || *bracket != '[') {
                // Not as said: the rest is searched.
                searchEnd = end;
                next = known.end();
                continue;
            }
        }
        const char* lineStart = bracket;
        while (lineStart > begin && isBlank(lineStart[-1])) --lineStart;
        if (lineStart != begin && lineStart[-1] != '\n' && lineStart[-1] != '\r') {
            p = bracket + 1;
            continue;
        }
        const char* lineEnd = bracket;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        const std::string_view line(lineStart, static_cast<std::size_t>(lineEnd - lineStart));
        Section& previous = sections_.back();
        previous.bodyLength = offset(lineStart) - previous.bodyOffset;

        Section header;
        header.hasHeader = true;
        header.lazy = true;
        header.headerOffset = offset(lineStart);
        header.headerLength = u32(line.size());
        const auto open = static_cast<std::size_t>(bracket - lineStart);
        const std::size_t close = line.find(']', open + 1);
        const std::string_view name = trimBlanks(line.substr(
            open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
        header.nameOffset = offset(name.data());
        header.nameLength = u32(name.size());
        p = lineEnd;
        if (p < end) p += *p == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
        header.bodyOffset = offset(p);
        sections_.push_back(header);
    }
    sections_.back().bodyLength = offset(end) - sections_.back().bodyOffset;
}

void ProfileFile::materialize(const Section& section) const {
    if (!section.lazy) return;
    section.lazy = false;
    const char* const begin = text_.data();
    const std::string_view body(begin + section.bodyOffset, section.bodyLength);
    forEachLine(body, [&](std::string_view line) {
        Entry entry;
        entry.lineOffset = u32(static_cast<std::size_t>(line.data() - begin));
        entry.lineLength = u32(line.size());
        const LineParts parts = splitLine(line);
        if (parts.isKey) {
            entry.isKey = true;
            if (parts.keyStartsLine && parts.key.size() < Entry::kKeyElsewhere)
                entry.keyLength = static_cast<std::uint16_t>(parts.key.size());
            entry.valueOffset = u32(static_cast<std::size_t>(parts.value.data() - begin));
            entry.valueLength = static_cast<std::uint16_t>(parts.value.size());
        }
        section.entries.push_back(entry);
    });
}

std::string_view ProfileFile::bytes(bool inArena, std::uint32_t offset,
                                    std::uint32_t length) const {
    return std::string_view(inArena ? arena_ : text_).substr(offset, length);
}

std::string_view ProfileFile::keyOf(const Entry& entry) const {
    if (entry.keyLength != Entry::kKeyElsewhere)
        return bytes(entry.inArena, entry.lineOffset, entry.keyLength);
    return splitLine(bytes(entry.inArena, entry.lineOffset, entry.lineLength)).key;
}

std::string_view ProfileFile::valueOf(const Entry& entry) const {
    return bytes(entry.inArena, entry.valueOffset, entry.valueLength);
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view name) const {
    for (const Section& section : sections_)
        if (section.hasHeader &&
            equalNoCase(bytes(section.headerInArena, section.nameOffset, section.nameLength), name))
            return &section;
    return nullptr;
}

ProfileFile::Section& ProfileFile::sectionForWriting(std::string_view name) {
    if (const Section* found = findSection(name)) return const_cast<Section&>(*found);
    Section section;
    section.hasHeader = true;
    section.headerInArena = true;
    section.headerOffset = u32(arena_.size());
    arena_ += '[';
    section.nameOffset = u32(arena_.size());
    section.nameLength = u32(name.size());
    arena_ += name;
    arena_ += ']';
    section.headerLength = u32(arena_.size()) - section.headerOffset;
    sections_.push_back(std::move(section));
    return sections_.back();
}

void ProfileFile::indexEntry(const Section& section, std::uint32_t entryIndex) const {
    const Entry& entry = section.entries[entryIndex];
    if (!entry.isKey) return;
    const std::string_view key = keyOf(entry);
    const std::uint32_t hash = hashNoCase(key);
    const std::size_t mask = section.index.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        Section::Slot& held = section.index[slot];
        if (held.entry == 0) {
            held = Section::Slot{entryIndex + 1, hash};
            return;
        }
        if (held.hash == hash && equalNoCase(keyOf(section.entries[held.entry - 1]), key)) return;
    }
}

int ProfileFile::findEntry(const Section& section, std::string_view key, std::uint32_t hash) const {
    materialize(section);
    // Keep the table at most half full, rebuilding it as the section grows.
    if (section.index.size() < 2 * section.entries.size() + 2) {
        std::size_t capacity = 16;
        while (capacity < 2 * section.entries.size() + 2) capacity *= 2;
        section.index.assign(capacity, Section::Slot{});
        section.indexed = 0;
    }
    while (section.indexed < section.entries.size()) indexEntry(section, u32(section.indexed++));
    const std::size_t mask = section.index.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Section::Slot& held = section.index[slot];
        if (held.entry == 0) return -1;
        if (held.hash == hash && equalNoCase(keyOf(section.entries[held.entry - 1]), key))
            return static_cast<int>(held.entry - 1);
    }
}

std::optional<std::string_view> ProfileFile::value(const Section& section,
                                                   std::string_view key) const {
    const int i = findEntry(section, key, hashNoCase(key));
    if (i < 0) return std::nullopt;
    return valueOf(section.entries[static_cast<std::size_t>(i)]);
}

void ProfileFile::forEachKey(
    const Section& section,
    const std::function<void(std::string_view, std::string_view)>& visit) const {
    if (section.lazy) {
        forEachLine(std::string_view(text_.data() + section.bodyOffset, section.bodyLength),
                    [&](std::string_view line) {
                        const LineParts parts = splitLine(line);
                        if (parts.isKey) visit(parts.key, parts.value);
                    });
        return;
    }
    for (const Entry& entry : section.entries)
        if (entry.isKey) visit(keyOf(entry), valueOf(entry));
}

std::size_t ProfileFile::nextKeys(const Section& section, std::size_t& cursor, KeyValue* out,
                                  std::size_t capacity) const {
    std::size_t n = 0;
    if (!section.lazy) {
        for (; cursor < section.entries.size() && n < capacity; ++cursor) {
            const Entry& entry = section.entries[cursor];
            if (entry.isKey) out[n++] = KeyValue{keyOf(entry), valueOf(entry)};
        }
        return n;
    }
    // The cursor is an offset into the section's body; lines are short, so a plain scan
    // finds their ends sooner than a library search started afresh for each.
    const char* const body = text_.data() + section.bodyOffset;
    const char* p = body + cursor;
    const char* const end = body + section.bodyLength;
    if (p >= end) return 0;
    LineMarks marks(p, end);
    while (p < end && n < capacity) {
        // Finds the "=" and the end of the line, and reads them as splitLine does.
        const char* first = p;
        while (first < end && isBlank(*first)) ++first;
        const char* lineEnd = first;
        const char* equal = nullptr;
        if (first < end && *first != ';') {
            lineEnd = marks.nextStop(first);
            if (lineEnd < end && *lineEnd == '=') {
                equal = lineEnd;
                lineEnd = marks.nextEnd(equal + 1);
            }
        } else {
            lineEnd = marks.nextEnd(first);
        }
        if (equal != nullptr) {
            std::string_view value(equal + 1, static_cast<std::size_t>(lineEnd - equal - 1));
            // Values are rarely surrounded by blanks: a look at both ends saves a call.
            if (!value.empty() && (isBlank(value.front()) || isBlank(value.back())))
                value = trimBlanks(value);
            if (enclosedInQuotes(value)) value = value.substr(1, value.size() - 2);
            if (value.size() > kMaxValueLength) value = value.substr(0, kMaxValueLength);
            const char* keyEnd = equal;
            while (keyEnd > first && isBlank(keyEnd[-1])) --keyEnd;
            out[n++] =
                KeyValue{std::string_view(first, static_cast<std::size_t>(keyEnd - first)), value};
        }
        p = lineEnd;
        if (p < end) p += *p == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
    }
    cursor = static_cast<std::size_t>(p - body);
    return n;
}

void ProfileFile::consumeSection(std::string_view name,
                                 const std::function<void(const KeyValue*, std::size_t)>& take) {
    if (const Section* section = findSection(name)) {
        // Handed out, then given back a megabyte at a time: fewer calls, whole large pages.
        constexpr std::size_t kStep = std::size_t{1} << 20;
        KeyValue batch[256];
        std::size_t cursor = 0;
        std::size_t released = 0;
        while (const std::size_t n = nextKeys(*section, cursor, batch, std::size(batch))) {
            take(batch, n);
            // Only the lines of a section never split lie in the bytes read, in file order.
            if (section->lazy && cursor - released >= kStep) {
                releaseText(section->bodyOffset + released, section->bodyOffset + cursor);
                released = cursor;
            }
        }
    }
    eraseSection(name);
}

void ProfileFile::releaseText(std::size_t from, std::size_t to) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    if (page == 0 || (page & (page - 1)) != 0) return;
    // Only a hint, on pages inside the buffer: what it gives back reads as zeros.
    conseilSurBlocs(text_.data() + from, to - from, page, MADV_DONTNEED);
}

std::optional<std::string_view> ProfileFile::value(std::string_view section,
                                                   std::string_view key) const {
    const Section* found = findSection(section);
    if (found == nullptr) return std::nullopt;
    return value(*found, key);
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaut) const {
    return std::string(value(section, key).value_or(defaut));
}

std::int32_t ProfileFile::readInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaut) const {
    const auto text = value(section, key);
    if (!text) return defaut;
    return parseInteger(*text).value_or(defaut);
}

std::optional<std::int32_t> ProfileFile::parseAnyInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (base == 16) {
        // Eight hex digits are a 32-bit pattern: 0xFFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
        const auto pattern = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        if (negative) {
            if (pattern == std::numeric_limits<std::int32_t>::min()) return pattern;
            return -pattern;
        }
        return pattern;
    }
    if (negative) {
        if (magnitude > 2147483648ull) return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude > 2147483647ull) return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

bool ProfileFile::canHold(std::string_view value) {
    if (value.size() > kMaxValueLength) return false;
    // The three refused bytes are all below 14: eight bytes at a time are tested for one,
    // and only a word that holds one (a tab, say) is looked at byte by byte. Blanks, never
    // refused, fill a short value's word.
    return !anyTextWord(value, kWordBlanks, [](std::uint64_t word) {
        if (((word - 14 * kWordOnes) & ~word & kWordHighs) == 0) return false;
        for (int i = 0; i < 8; ++i) {
            const auto c = static_cast<char>(word >> (8 * i));
            if (c == '\r' || c == '\n' || c == '\0') return true;
        }
        return false;
    });
}

void ProfileFile::preferLargePages(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;
    if (bytes < 2 * kLarge) return;
    // Only a hint: without large pages the buffer works the same.
    conseilSurBlocs(static_cast<char*>(const_cast<void*>(data)), bytes, kLarge, MADV_HUGEPAGE);
}

bool ProfileFile::needsQuotes(std::string_view value) {
    return (!value.empty() && (isBlank(value.front()) || isBlank(value.back()))) ||
           enclosedInQuotes(value);
}

void ProfileFile::appendLine(std::string& out, std::string_view key, std::string_view value) {
    const bool quote = needsQuotes(value);
    out += key;
    out += '=';
    if (quote) out += '"';
    out += value;
    if (quote) out += '"';
}

void ProfileFile::newLine(std::string_view key, std::string_view value, Entry& entry) {
    entry.inArena = true;
    entry.isKey = true;
    entry.lineOffset = u32(arena_.size());
    entry.keyLength = key.size() < Entry::kKeyElsewhere ? static_cast<std::uint16_t>(key.size())
                                                        : Entry::kKeyElsewhere;
    appendLine(arena_, key, value);
    entry.lineLength = u32(arena_.size()) - entry.lineOffset;
    entry.valueOffset = entry.lineOffset + u32(key.size()) + 1 + (needsQuotes(value) ? 1 : 0);
    entry.valueLength = static_cast<std::uint16_t>(value.size());
}

ProfileFile::WriteStatus ProfileFile::writeString(Section& section, std::string_view key,
                                                  std::string_view value) {
    if (!canHold(value)) return WriteStatus::ValueRefused;
    Entry entry;
    newLine(key, value, entry);
    const int existing = findEntry(section, key, hashNoCase(key));
    if (existing >= 0) {
        section.entries[static_cast<std::size_t>(existing)] = entry;
    } else {
        section.entries.push_back(entry);
    }
    return WriteStatus::Ok;
}

ProfileFile ProfileFile::cloneWithout(std::initializer_list<std::string_view> names) const {
    ProfileFile copy;
    copy.path_ = path_;
    copy.disk_ = disk_;
    copy.sections_.clear();
    std::size_t bytesKept = 0;
    for (const Section& section : sections_) {
        if (section.hasHeader) bytesKept += section.headerLength;
        for (const Entry& entry : section.entries) bytesKept += entry.lineLength;
    }
    copy.arena_.reserve(std::min(bytesKept, text_.size() + arena_.size()));
    for (const Section& section : sections_) {
        if (section.hasHeader) {
            const std::string_view name =
                bytes(section.headerInArena, section.nameOffset, section.nameLength);
            if (std::any_of(names.begin(), names.end(),
                            [&](std::string_view n) { return equalNoCase(name, n); }))
                continue;
        }
        // Every kept line moves to the new arena; offsets inside a line keep their place.
        materialize(section);
        Section kept;
        kept.hasHeader = section.hasHeader;
        if (section.hasHeader) {
            kept.headerInArena = true;
            kept.headerOffset = u32(copy.arena_.size());
            kept.headerLength = section.headerLength;
            kept.nameOffset = kept.headerOffset + (section.nameOffset - section.headerOffset);
            kept.nameLength = section.nameLength;
            copy.arena_ += bytes(section.headerInArena, section.headerOffset, section.headerLength);
        }
        kept.entries.reserve(section.entries.size());
        for (Entry entry : section.entries) {
            const std::uint32_t base = u32(copy.arena_.size());
            copy.arena_ += bytes(entry.inArena, entry.lineOffset, entry.lineLength);
            if (entry.isKey) entry.valueOffset = base + (entry.valueOffset - entry.lineOffset);
            entry.lineOffset = base;
            entry.inArena = true;
            kept.entries.push_back(entry);
        }
        copy.sections_.push_back(std::move(kept));
    }
    return copy;
}

ProfileFile::WriteStatus ProfileFile::writeString(std::string_view section, std::string_view key,
                                                  std::string_view value) {
    return writeString(sectionForWriting(section), key, value);
}

void ProfileFile::writeInteger(Section& section, std::string_view key, std::int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    writeString(section, key,
                std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeInteger(sectionForWriting(section), key, value);
}

void ProfileFile::eraseSection(std::string_view name) {
    std::erase_if(sections_, [&](const Section& section) {
        return section.hasHeader &&
               equalNoCase(bytes(section.headerInArena, section.nameOffset, section.nameLength),
                           name);
    });
}

std::string ProfileFile::render() const {
    for (const Section& section : sections_) materialize(section);
    std::size_t size = 0;
    for (const Section& section : sections_) {
        if (section.hasHeader) size += section.headerLength + 2;
        for (const Entry& entry : section.entries) size += entry.lineLength + 2;
    }
    std::string out(size, '\0');
    char* p = out.data();
    const auto put = [&p](std::string_view line) {
        std::memcpy(p, line.data(), line.size());
        p[line.size()] = '\r';
        p[line.size() + 1] = '\n';
        p += line.size() + 2;
    };
    for (const Section& section : sections_) {
        if (section.hasHeader)
            put(bytes(section.headerInArena, section.headerOffset, section.headerLength));
        for (const Entry& entry : section.entries)
            put(bytes(entry.inArena, entry.lineOffset, entry.lineLength));
    }
    return out;
}

ProfileFile::Snapshot ProfileFile::snapshotOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return Snapshot{};
    return Snapshot{true,
                    static_cast<std::uint64_t>(info.st_dev),
                    static_cast<std::uint64_t>(info.st_ino),
                    static_cast<std::uint64_t>(info.st_size),
                    nanoseconds(info.st_mtim),
                    nanoseconds(info.st_ctim)};
}

bool ProfileFile::changedOnDisk() const {
    return !path_.empty() && !(snapshotOf(path_) == disk_);
}

ProfileFile::FlushResult ProfileFile::flush(ExternalChange policy) {
    Growing growing;
    return writeOut(
        growing,
        [this](Growing& text) {
            text.text() = render();
            return true;
        },
        policy);
}

ProfileFile::FlushResult ProfileFile::replaceWith(std::string content, ExternalChange policy,
                                                  FormerVersion former) {
    return replaceWith(
        [&content](Growing& text) {
            text.text() = std::move(content);
            return true;
        },
        policy, former);
}

ProfileFile::FlushResult ProfileFile::replaceWith(const std::function<bool(Growing&)>& make,
                                                  ExternalChange policy, FormerVersion former) {
    Growing growing;
    FlushResult result = writeOut(growing, make, policy, former);
    if (result.written()) {
        const Snapshot written = disk_;
        reset(std::move(growing));
        disk_ = written;
    }
    return result;
}

void ProfileFile::Growing::grew() {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    while (fd_ >= 0 && error_ == 0 && text_.size() - written_ >= kPiece) {
        const std::size_t from = written_;
        write(kPiece);
        // Sent to the disk now rather than at the sync: only a hint, and so never an error.
        if (error_ == 0)
            ::sync_file_range(fd_, static_cast<off_t>(from), static_cast<off_t>(kPiece),
                              SYNC_FILE_RANGE_WRITE);
    }
}

void ProfileFile::Growing::write(std::size_t bytes) {
    if (writeAll(fd_, std::string_view(text_).substr(written_, bytes)))
        written_ += bytes;
    else
        error_ = errno != 0 ? errno : EIO;
}

void ProfileFile::reset(std::string content) {
    Growing made;
    made.text_ = std::move(content);
    reset(std::move(made));
}

void ProfileFile::reset(Growing&& made) {
    text_ = std::move(made.text_);
    if (text_.size() > kMaxFileBytes) text_ = {};
    arena_.clear();
    parse(text_.empty() ? std::vector<std::size_t>{} : made.headers_);
}

ProfileFile::FlushResult ProfileFile::writeOut(Growing& growing,
                                               const std::function<bool(Growing&)>& make,
                                               ExternalChange policy, FormerVersion former) {
    FlushResult result;
    result.path = path_;
    if (path_.empty()) {
        result.status = FlushStatus::WriteFailed;
        result.systemError = ENOENT;
        return result;
    }
    // A budget reached through a symbolic link is saved where the link points, so that the
    // link stays a link and its target stays current.
    std::string target = path_.string();
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    // Two saves of the same budget take turns from the check to the rename, so that the
    // second one sees the first one's file and is told it changed.
    const FileLock lock(target);
    const Snapshot now = snapshotOf(path_);
    if (!(now == disk_) && policy == ExternalChange::Refuse) {
        result.status = FlushStatus::ChangedOnDisk;
        return result;
    }
    if (lock.held()) removeStaleTemporaries(target);
    Temporary temporary(target);
    if (temporary.fd() < 0) {
        result.status = FlushStatus::WriteFailed;
        result.systemError = errno;
        return result;
    }
    growing.fd_ = temporary.fd();
    if (!make(growing)) {
        result.status = FlushStatus::Abandoned;
        return result;
    }
    // open() would refuse a larger file: better no save than a budget that cannot be read.
    if (growing.text_.size() > kMaxFileBytes) growing.error_ = EFBIG;
    if (growing.error_ == 0) growing.write(growing.text_.size() - growing.written_);
    growing.fd_ = -1;
    int error = growing.error_;
    if (const int closed = temporary.close(); error == 0) error = closed;
    if (error != 0) {
        result.status = FlushStatus::WriteFailed;
        result.systemError = error;
        return result;
    }
    bool replaced = false;
    if (now.exists) {
        // A backup that cannot be kept costs the user the former version, never the save.
        if (former == FormerVersion::Keep && !keepBackup(target, error))
            result.backupError = error != 0 ? error : EIO;
        error = 0;
        replaced = ::rename(temporary.name().c_str(), target.c_str()) == 0;
        if (replaced)
            temporary.keep();
        else
            error = errno;
    } else {
        // A file that appeared since it was found missing is never replaced.
        replaced = ::renameat2(AT_FDCWD, temporary.name().c_str(), AT_FDCWD, target.c_str(),
                               RENAME_NOREPLACE) == 0;
        if (replaced) temporary.keep();
        // No exclusive rename on this file system: a second name does the same, and the
        // temporary one goes.
        if (!replaced && (errno == EINVAL || errno == ENOSYS))
            replaced = ::link(temporary.name().c_str(), target.c_str()) == 0;
        if (!replaced) {
            error = errno;
            if (error == EEXIST) {
                result.status = FlushStatus::ChangedOnDisk;
                return result;
            }
        }
    }
    if (!replaced) {
        result.status = FlushStatus::WriteFailed;
        result.systemError = error;
        return result;
    }
    disk_ = snapshotOf(path_);
    if (const int synced = syncFolder(target); synced != 0) {
        result.status = FlushStatus::NotSynced;
        result.systemError = synced;
    }
    return result;
}

}  // namespace varnelle

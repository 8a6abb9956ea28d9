#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnelle {

// A profile (INI) file held in memory. Sections and keys are found without regard to
// letter case; of two equal sections only the first is searched, and of two equal keys in a
// section the first wins. Lines before the first section cannot be read. Reading a key gives
// the text after its first "=", without surrounding blanks and without one matching outer
// pair of quotes, cut to kMaxValueLength characters. Lines that are not read (comments,
// blank lines, foreign keys) are written back as they came; every line ends with CR LF.
class ProfileFile final {
public:
    static constexpr std::size_t kMaxValueLength = 1023;
    // Larger files are refused rather than read: no budget comes near it.
    static constexpr std::uint64_t kMaxFileBytes = (std::uint64_t{1} << 30) - 1;

    enum class OpenStatus { Ok, Missing, Unreadable, TooLarge };
    enum class WriteStatus { Ok, ValueRefused };
    // NotSynced: the file was replaced but the folder could not be synced, so the new name
    // may not survive a crash.
    // Abandoned: the text's maker gave the save up; nothing was written.
    enum class FlushStatus { Ok, WriteFailed, ChangedOnDisk, NotSynced, Abandoned };
    // Whether a flush may replace a file that changed on disk since it was read.
    enum class ExternalChange { Refuse, Overwrite };
    // Whether a flush keeps the file it replaces as "<name>.bak".
    enum class FormerVersion { Keep, Drop };

    struct FlushResult {
        FlushStatus status = FlushStatus::Ok;
        int systemError = 0;  // errno of the failed step
        // errno of a former version that could not be kept as "<name>.bak"; the file was
        // written all the same.
        int backupError = 0;
        std::filesystem::path path;
        explicit operator bool() const { return status == FlushStatus::Ok; }
        // Whether the file on disk now holds the content written.
        bool written() const {
            return status == FlushStatus::Ok || status == FlushStatus::NotSynced;
        }
    };

    ProfileFile();
    // A profile of these bytes, bound to no file (flush then fails).
    explicit ProfileFile(std::string content);
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;
    ProfileFile& operator=(const ProfileFile&) = delete;
    // A copy to change without touching this one (copies are explicit: they hold the file).
    ProfileFile clone() const { return ProfileFile(*this); }
    // A copy without the named sections, holding only the lines it keeps: what a writer
    // that replaces those sections needs, without copying lines it would drop at once.
    ProfileFile cloneWithout(std::initializer_list<std::string_view> sections) const;

    // Reads the whole file. A missing file gives an empty profile that flush creates; a
    // file that cannot be read or is too large leaves this profile empty and unbound.
    OpenStatus open(const std::filesystem::path& path);
    const std::filesystem::path& path() const { return path_; }

    // The value of a key, valid until the next change of this profile.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaut) const;
    std::int32_t readInteger(std::string_view section, std::string_view key,
                             std::int32_t defaut) const;

    // Refuses a value holding CR, LF or NUL, or longer than a read returns. A value that
    // would not read back as it is (surrounding blanks, an outer pair of quotes) is written
    // inside double quotes.
    WriteStatus writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);

    // Writes the whole content to a new file beside the data file, syncs it, keeps the
    // former file as "<name>.bak" (owner-only) and renames the new one over it. Through a
    // symbolic link, all of it happens beside the file the link names. An advisory lock
    // on the file spans the check for a change on disk and the rename, and temporaries left
    // by an interrupted save of the same file are removed under it.
    FlushResult flush(ExternalChange policy = ExternalChange::Refuse);
    // Writes `content` as flush does; once it is on disk, this profile holds it.
    FlushResult replaceWith(std::string content, ExternalChange policy = ExternalChange::Refuse,
                            FormerVersion former = FormerVersion::Keep);
    // A text made a piece at a time. Given to replaceWith, what it holds goes to the new
    // file as it grows, so that the disk works while the rest is made; otherwise it is only
    // a text.
    class Growing {
    public:
        std::string& text() { return text_; }
        // Writes the whole megabytes appended to text() since the last call.
        void grew();
        // Says that a section's header line starts at `offset` of the text. From the first
        // one said on, the text holds no other header, which spares a search for them.
        void headerAt(std::size_t offset) { headers_.push_back(offset); }

    private:
        friend class ProfileFile;
        // Writes `bytes` more of the text, from where the writing stands.
        void write(std::size_t bytes);

        std::string text_;
        std::vector<std::size_t> headers_;
        int fd_ = -1;
        std::size_t written_ = 0;
        int error_ = 0;
    };
    // Writes the text `make` appends to its Growing as replaceWith(content) does, while it is
    // made. `make` answers false to give the save up: the file stays as it was.
    FlushResult replaceWith(const std::function<bool(Growing&)>& make,
                            ExternalChange policy = ExternalChange::Refuse,
                            FormerVersion former = FormerVersion::Keep);
    // Holds `content` instead, still bound to the same file; nothing is written.
    void reset(std::string content);
    // The same for a text a Growing made, whose headers it knows.
    void reset(Growing&& made);
    // True when the file on disk is no longer the one read or last written.
    bool changedOnDisk() const;

    // The content as flush would write it.
    std::string render() const;
    // Bytes of text held: what was read plus every line written since.
    std::size_t heldBytes() const { return text_.size() + arena_.size(); }

    // Fast access to one section for bulk reads; the handle stays valid until a section is
    // added or erased.
    class Section;
    const Section* findSection(std::string_view name) const;
    std::optional<std::string_view> value(const Section& section, std::string_view key) const;
    // Calls visit(key, value) for every key line of the section in file order, equal keys
    // included, for readers that take a whole section in one pass instead of key by key.
    void forEachKey(const Section& section,
                    const std::function<void(std::string_view, std::string_view)>& visit) const;
    // The same key lines a batch at a time, for readers that go through large sections:
    // fills `out` with up to `capacity` of them from `cursor` on (0 to begin), moves the
    // cursor past them and answers how many; 0 once the section is done.
    struct KeyValue {
        std::string_view key;
        std::string_view value;
    };
    std::size_t nextKeys(const Section& section, std::size_t& cursor, KeyValue* out,
                         std::size_t capacity) const;
    // Hands the key lines of the first section of that name to take(batch, count) a batch at
    // a time, as nextKeys gives them, then erases every section of that name. The memory of
    // the lines already handed out goes back to the system as the reading goes: a reader
    // that builds records out of a large section never holds it twice.
    void consumeSection(std::string_view name,
                        const std::function<void(const KeyValue*, std::size_t)>& take);

    // Reads an integer: decimal, or hexadecimal after "0x", "0X" or "$", with an optional
    // sign; empty when the text is anything else or out of 32-bit range.
    static std::optional<std::int32_t> parseInteger(std::string_view text) {
        // Short decimal numbers, nearly every value of a budget, need no general conversion.
        if (!text.empty() && text.size() <= 10) {
            const bool minus = text.front() == '-';
            std::size_t i = minus ? 1 : 0;
            if (i < text.size() && text.size() - i <= 9) {
                std::int32_t n = 0;
                for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
                    n = n * 10 + (text[i] - '0');
                if (i == text.size() && text.size() > (minus ? 1u : 0u)) return minus ? -n : n;
            }
        }
        return parseAnyInteger(text);
    }
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    // Whether writeString takes the value: no CR, LF or NUL, at most kMaxValueLength bytes.
    static bool canHold(std::string_view value);
    // Whether a value is written inside double quotes so that it reads back as it is.
    static bool needsQuotes(std::string_view value);
    // Asks for large pages behind the whole pages of a large buffer about to be filled: a
    // budget's file and records then cost a few page faults instead of thousands.
    static void preferLargePages(const void* data, std::size_t bytes);
    // Appends "key=value" as writeString writes it, for a value canHold accepts.
    static void appendLine(std::string& out, std::string_view key, std::string_view value);

private:
    ProfileFile(const ProfileFile&);
    struct Entry;
    struct Snapshot {
        bool exists = false;
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t mtimeNs = 0, ctimeNs = 0;
        bool operator==(const Snapshot&) const = default;
    };

    // Finds the section headers; past `known.front()`, only those at `known`.
    void parse(const std::vector<std::size_t>& known = {});
    // parseInteger beyond short decimal numbers.
    static std::optional<std::int32_t> parseAnyInteger(std::string_view text);
    // Splits the lines of a section read from the file, once.
    void materialize(const Section& section) const;
    Section& sectionForWriting(std::string_view name);
    WriteStatus writeString(Section& section, std::string_view key, std::string_view value);
    void writeInteger(Section& section, std::string_view key, std::int32_t value);
    // Writes "key=value" into the arena, for a value canHold accepts.
    void newLine(std::string_view key, std::string_view value, Entry& entry);
    // Writes what `make` adds to `growing` to disk safely; the snapshot follows on success.
    FlushResult writeOut(Growing& growing, const std::function<bool(Growing&)>& make,
                         ExternalChange policy, FormerVersion former = FormerVersion::Keep);
    std::string_view bytes(bool inArena, std::uint32_t offset, std::uint32_t length) const;
    // Gives back the whole pages of the bytes read in [from, to), which nothing reads again.
    void releaseText(std::size_t from, std::size_t to);
    std::string_view keyOf(const Entry& entry) const;
    std::string_view valueOf(const Entry& entry) const;
    int findEntry(const Section& section, std::string_view key, std::uint32_t hash) const;
    void indexEntry(const Section& section, std::uint32_t entryIndex) const;
    static Snapshot snapshotOf(const std::filesystem::path& path);

    std::filesystem::path path_;
    std::string text_;               // the bytes read, never changed
    std::string arena_;              // lines written since
    std::vector<Section> sections_;  // the first one holds the lines before any section
    Snapshot disk_;
};

}  // namespace varnelle

#include "core/storage/data_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <future>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

#include "core/model/month_mask.h"

namespace varnelle {
namespace {

// Builds "cDate12" and the like without allocating.
class KeyName final {
public:
    std::string_view operator()(std::string_view prefix, int number) {
        const std::size_t n = std::min(prefix.size(), sizeof buffer_ - 12);
        std::copy_n(prefix.data(), n, buffer_);
        const auto result = std::to_chars(buffer_ + n, buffer_ + sizeof buffer_, number);
        return std::string_view(buffer_, static_cast<std::size_t>(result.ptr - buffer_));
    }

private:
    char buffer_[64];
};

// Reads one section through its handle; a missing section reads every key as missing.
class SectionReader final {
public:
    SectionReader(const ProfileFile& file, const char* name)
        : file_(file), section_(file.findSection(name)) {}

    std::optional<std::string_view> value(std::string_view key) const {
        if (section_ == nullptr) return std::nullopt;
        return file_.value(*section_, key);
    }
    std::string text(std::string_view key) const { return std::string(value(key).value_or("")); }
    std::int32_t integer(std::string_view key, std::int32_t defaut) const {
        const auto v = value(key);
        return v ? ProfileFile::parseInteger(*v).value_or(defaut) : defaut;
    }
    Montant amount(std::string_view key) const { return fromHundredths(integer(key, 0)); }

private:
    const ProfileFile& file_;
    const ProfileFile::Section* section_;
};

// Reads the numbered keys of a collection ("cDate1" ... "cDateN") in one pass over the
// section's lines: one hash lookup per key costs a cache miss each on a large budget. Gives
// what lookups would: a key matches without regard to case, the first of equal keys wins.
class NumberedKeys final {
    // A field's name in a fixed room, copied whole where the key looked for first is made;
    // a longer name is never looked for first (size 0).
    static constexpr std::size_t kMaxName = 16;
    struct Name {
        char text[kMaxName] = {};
        std::size_t size = 0;
    };

public:
    NumberedKeys(const ProfileFile& file, const char* section,
                 std::initializer_list<std::string_view> fields, int count)
        : file_(file), name_(section), section_(file.findSection(section)), fields_(fields),
          names_(namesOf(fields)), count_(count) {}

    // Calls store(field, i, value) for the first line of each field and number 1..count,
    // field being the position of the key's name in `fields`.
    template <class Store> void read(Store&& store) const {
        if (section_ == nullptr || count_ <= 0) return;
        Batches<Store> batches(*this, store);
        ProfileFile::KeyValue batch[256];
        std::size_t cursor = 0;
        while (const std::size_t n = file_.nextKeys(*section_, cursor, batch, std::size(batch)))
            batches(batch, n);
    }

    // The same, the section then gone from `file` (the one this reader was made on), its
    // memory given back as the reading goes.
    template <class Store> void consume(ProfileFile& file, Store&& store) const {
        if (section_ == nullptr || count_ <= 0) return file.eraseSection(name_);
        Batches<Store> batches(*this, store);
        file.consumeSection(name_, [&batches](const ProfileFile::KeyValue* batch, std::size_t n) {
            batches(batch, n);
        });
    }

private:
    // Matches the keys of each batch to their field and number, in file order.
    template <class Store> class Batches final {
    public:
        Batches(const NumberedKeys& keys, Store& store)
            : keys_(keys), store_(store),
              seen_(static_cast<std::size_t>(keys.count_) * keys.fields_.size()) {
            expect(0, 1);
        }

        void operator()(const ProfileFile::KeyValue* batch, std::size_t n) {
            // In locals: the stores below could otherwise alias them for the compiler.
            const std::size_t nbFields = keys_.fields_.size();
            const int count = keys_.count_;
            std::uint8_t* const seen = seen_.data();
            for (std::size_t k = 0; k < n; ++k) {
                const std::string_view key = batch[k].key;
                int number = expectedNumber_;
                int field = expectedField_;
                if (key.size() != expectedSize_ || !sameBytes(key.data(), expected_, key.size())) {
                    field = keys_.exactField(key, number);
                    if (field < 0) field = keys_.anyCaseField(key, number);
                }
                if (field < 0 || number > count) continue;
                const auto next = static_cast<std::size_t>(field) + 1;
                expect(next % nbFields, next == nbFields ? number + 1 : number);
                std::uint8_t& done = seen[static_cast<std::size_t>(number - 1) * nbFields +
                                          static_cast<std::size_t>(field)];
                if (done != 0) continue;
                done = 1;
                store_(field, number, batch[k].value);
            }
        }

    private:
        // Keys are short: two words of each compared, overlapping, cost less than a call.
        static bool sameBytes(const char* a, const char* b, std::size_t n) {
            if (n < 8 || n > 16) return std::memcmp(a, b, n) == 0;
            std::uint64_t a0, a1, b0, b1;
            std::memcpy(&a0, a, 8);
            std::memcpy(&b0, b, 8);
            std::memcpy(&a1, a + n - 8, 8);
            std::memcpy(&b1, b + n - 8, 8);
            return ((a0 ^ b0) | (a1 ^ b1)) == 0;
        }

        // Makes the key the program writes after the one read the one looked for first, so
        // that a file it wrote costs one comparison per key.
        void expect(std::size_t field, int number) {
            expectedField_ = static_cast<int>(field);
            expectedNumber_ = number;
            if (number != digitsOf_) {
                digitsOf_ = number;
                digitsSize_ = static_cast<std::size_t>(
                    std::to_chars(digits_, digits_ + sizeof digits_, number).ptr - digits_);
            }
            const Name& name = keys_.names_[field];
            std::memcpy(expected_, name.text, sizeof name.text);
            std::memcpy(expected_ + name.size, digits_, sizeof digits_);
            expectedSize_ = name.size == 0 ? 0 : name.size + digitsSize_;
        }

        const NumberedKeys& keys_;
        Store& store_;
        std::vector<std::uint8_t> seen_;
        char expected_[kMaxName + 12] = {};
        std::size_t expectedSize_ = 0;
        int expectedField_ = 0;
        int expectedNumber_ = 0;
        char digits_[12] = {};
        std::size_t digitsSize_ = 0;
        int digitsOf_ = 0;
    };

    // The number after a field's name as KeyName writes it: no sign, no leading zero,
    // nine digits at most; 0 when `digits` is anything else.
    static int numberOf(std::string_view digits) {
        if (digits.empty() || digits.size() > 9 || digits[0] == '0') return 0;
        int number = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return 0;
            number = number * 10 + (c - '0');
        }
        return number;
    }

    // Whether `key` is field f spelt as the program writes it, with its number.
    bool fieldAt(std::size_t f, std::string_view key, int& number) const {
        const std::string_view name = fields_[f];
        if (key.size() <= name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (key[i] != name[i]) return false;
        number = numberOf(key.substr(name.size()));
        return number > 0;
    }

    // Keys are nearly always spelt as the program writes them: that is tried first.
    int exactField(std::string_view key, int& number) const {
        for (std::size_t f = 0; f < fields_.size(); ++f)
            if (fieldAt(f, key, number)) return static_cast<int>(f);
        return -1;
    }

    int anyCaseField(std::string_view key, int& number) const {
        std::size_t digits = key.size();
        while (digits > 0 && key[digits - 1] >= '0' && key[digits - 1] <= '9') --digits;
        number = numberOf(key.substr(digits));
        if (number == 0) return -1;
        for (std::size_t f = 0; f < fields_.size(); ++f)
            if (sameName(key.substr(0, digits), fields_[f])) return static_cast<int>(f);
        return -1;
    }

    static bool sameName(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
            const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] + 32) : b[i];
            if (x != y) return false;
        }
        return true;
    }

    static std::vector<Name> namesOf(std::initializer_list<std::string_view> fields) {
        std::vector<Name> names(fields.size());
        auto name = names.begin();
        for (const std::string_view field : fields) {
            if (field.size() <= kMaxName) {
                std::memcpy(name->text, field.data(), field.size());
                name->size = field.size();
            }
            ++name;
        }
        return names;
    }

    const ProfileFile& file_;
    const char* name_;
    const ProfileFile::Section* section_;
    std::vector<std::string_view> fields_;
    std::vector<Name> names_;
    int count_;
};

// The keys of one entry of each collection, less their number, in file order.
const std::initializer_list<std::string_view> kChampsTypesDep = {"cTypeDep", "cLibelle", "nMontant",
                                                                 "nPeriodicite"};
const std::initializer_list<std::string_view> kChampsOperations = {"nSelect", "cDate", "cTypeDep",
                                                                   "nMontant", "cLibelle"};
const std::initializer_list<std::string_view> kChampsEconomies = {"cLibelle", "nMontant"};
const std::initializer_list<std::string_view> kChampsSimulations = {
    "nSelect", "cLibelle", "cDateDeb", "cDateFin", "nMontant"};

std::int32_t integerOf(std::string_view value) {
    return ProfileFile::parseInteger(value).value_or(0);
}

struct ReadParam {
    const SectionReader& section;

    template <class Field>
    void operator()(const char* key, Field& field, const IntegerKey& rule) const {
        std::int32_t v = section.integer(key, rule.defaut);
        if (v < rule.min || v > rule.max) v = rule.defaut;
        field = static_cast<Field>(v);
    }
    void operator()(const char* key, bool& field, const BooleanKey& rule) const {
        const auto v = section.value(key);
        const auto n = v ? ProfileFile::parseInteger(*v) : std::nullopt;
        field = n ? *n != 0 : rule.defaut;
    }
    void operator()(const char* key, std::string& field, const TextKey& rule) const {
        field = std::string(section.value(key).value_or(rule.defaut));
    }
};

// The count stored in "GENERAL", or nothing when it cannot be trusted: beyond what a budget
// can hold, or unreadable while the section holds an entry 1, which a count of 0 would have
// the next save drop with all the others.
std::optional<std::int32_t> count(const ProfileFile& file, const SectionReader& general,
                                  const char* key, const char* section,
                                  std::initializer_list<std::string_view> fields) {
    const auto text = general.value(key);
    const auto n = text ? ProfileFile::parseInteger(*text) : std::nullopt;
    if (!n) {
        const SectionReader entries(file, section);
        KeyName name;
        for (const std::string_view field : fields)
            if (entries.value(name(field, 1))) return std::nullopt;
        return 0;
    }
    if (*n > kMaxEntreesParCollection) return std::nullopt;
    return std::max(*n, 0);
}

std::int32_t sizeOf(std::size_t n) {
    return static_cast<std::int32_t>(n);
}

// Appends the lines of the sections a save rewrites whole to the file's text, and keeps the
// first value the file could not hold: the save is then given up. Lines are gathered in a
// buffer of a few kilobytes and appended a buffer at a time, which costs far less than
// appending each key and value.
class SectionWriter final {
public:
    SectionWriter(ProfileFile::Growing& out, SaveResult& result) : out_(out), result_(result) {}
    // Goes on with `section`, whose header is written elsewhere.
    SectionWriter(ProfileFile::Growing& out, SaveResult& result, const char* section)
        : out_(out), result_(result), section_(section) {}
    ~SectionWriter() { flush(); }
    SectionWriter(const SectionWriter&) = delete;
    SectionWriter& operator=(const SectionWriter&) = delete;

    bool failed() const { return result_.status != SaveStatus::Ok; }

    void section(const char* name) {
        section_ = name;
        const std::string_view n(name);
        char* p = room(n.size() + 4);
        out_.headerAt(out_.text().size() + used_);
        *p++ = '[';
        p = put(p, n);
        *p++ = ']';
        end(p);
    }
    // A prefix is a key's name, a literal or any text.
    template <class Prefix> void text(const Prefix& prefix, int number, std::string_view value) {
        if (!ProfileFile::canHold(value)) return refuse(SaveStatus::TextRefused, prefix, number);
        const bool quote = ProfileFile::needsQuotes(value);
        char* p = key(room(sizeOf(prefix) + value.size() + kKeyAndEnd), prefix, number);
        if (quote) *p++ = '"';
        p = put(p, value);
        if (quote) *p++ = '"';
        end(p);
    }
    template <class Prefix> void integer(const Prefix& prefix, int number, std::int32_t value) {
        char* p = key(room(sizeOf(prefix) + kKeyAndEnd), prefix, number);
        // Check marks and the like, the most frequent, without a call.
        if (value >= 0 && value < 10) {
            *p = static_cast<char>('0' + value);
            return end(p + 1);
        }
        end(std::to_chars(p, p + 12, value).ptr);
    }
    template <class Prefix> void amount(const Prefix& prefix, int number, Montant value) {
        const auto hundredths = toHundredths(value);
        if (!hundredths) return refuse(SaveStatus::AmountRefused, prefix, number);
        integer(prefix, number, *hundredths);
    }
    void text(std::string_view name, std::string_view value) { text(name, 0, value); }
    void integer(std::string_view name, std::int32_t value) { integer(name, 0, value); }

    // Appends what another writer made of the lines that follow, and its refusal when this
    // one has none.
    void append(ProfileFile::Growing& lines, const SaveResult& result) {
        flush();
        if (!failed() && !result) result_ = result;
        out_.text().append(lines.text());
        out_.grew();
    }

    // Moves what is gathered to the text.
    void flush() {
        out_.text().append(buffer_, used_);
        used_ = 0;
        out_.grew();
    }

private:
    // Room for a line beside its key's name and value: a number of ten digits at most, "=",
    // two quotes or a sign, eleven digits of an integer, and the end of line.
    static constexpr std::size_t kKeyAndEnd = 32;
    static constexpr std::size_t kMaxKeyName = 64;

    // Where a line of at most `bytes` bytes goes.
    char* room(std::size_t bytes) {
        if (used_ + bytes > sizeof buffer_) flush();
        return buffer_ + used_;
    }
    // Ends the line that runs up to `p`.
    void end(char* p) {
        *p++ = '\r';
        *p++ = '\n';
        used_ = static_cast<std::size_t>(p - buffer_);
    }
    // Values are mostly short: copied as two overlapping words or halves, they cost less
    // than a call.
    static char* put(char* p, std::string_view s) {
        const char* const q = s.data();
        const std::size_t n = s.size();
        const auto twice = [p, q, n]<class Word>(Word) {
            Word a, b;
            std::memcpy(&a, q, sizeof a);
            std::memcpy(&b, q + n - sizeof b, sizeof b);
            std::memcpy(p, &a, sizeof a);
            std::memcpy(p + n - sizeof b, &b, sizeof b);
        };
        if (n > 16)
            std::memcpy(p, q, n);
        else if (n >= 8)
            twice(std::uint64_t{});
        else if (n >= 4)
            twice(std::uint32_t{});
        else
            for (std::size_t i = 0; i < n; ++i) p[i] = q[i];
        return p + n;
    }
    static std::size_t sizeOf(std::string_view prefix) { return prefix.size(); }
    template <std::size_t N> static std::size_t sizeOf(const char (&)[N]) { return N - 1; }

    // "prefix12=" at `p`; numbers from 1, none for 0. Keys are the program's own names, so
    // that a line always fits the buffer. A literal name is copied by size known here, without
    // a call.
    template <std::size_t N> char* key(char* p, const char (&prefix)[N], int number) {
        static_assert(N - 1 <= kMaxKeyName);
        std::memcpy(p, prefix, N - 1);
        return afterName(p + N - 1, number);
    }
    char* key(char* p, std::string_view prefix, int number) {
        return afterName(put(p, prefix.substr(0, kMaxKeyName)), number);
    }
    // The number and "=" of a key, after its name.
    char* afterName(char* p, int number) {
        if (number > 0) {
            // The keys of one record share their number: its digits are written once.
            if (number != lastNumber_) {
                lastNumber_ = number;
                digitsLength_ = static_cast<std::size_t>(
                    std::to_chars(digits_, digits_ + sizeof digits_, number).ptr - digits_);
            }
            std::memcpy(p, digits_, sizeof digits_);
            p += digitsLength_;
        }
        *p++ = '=';
        return p;
    }

    template <std::size_t N> void refuse(SaveStatus status, const char (&prefix)[N], int number) {
        refuse(status, std::string_view(prefix, N - 1), number);
    }
    void refuse(SaveStatus status, std::string_view prefix, int number) {
        if (failed()) return;
        result_.status = status;
        result_.section = section_;
        std::string line(std::min(prefix.size(), kMaxKeyName) + kKeyAndEnd, '\0');
        char* end = key(line.data(), prefix, number) - 1;  // without its "="
        line.resize(static_cast<std::size_t>(end - line.data()));
        result_.key = std::move(line);
    }

    ProfileFile::Growing& out_;
    SaveResult& result_;
    const char* section_ = "";
    char buffer_[8192];
    std::size_t used_ = 0;
    int lastNumber_ = 0;
    char digits_[12] = {};
    std::size_t digitsLength_ = 0;
};

// The general values go into "GENERAL" in place, where the file has them.
void writeGeneral(ProfileFile& file, const Budget& budget, SaveResult& result) {
    const auto text = [&](const char* key, const std::string& value) {
        if (file.writeString(kSectionGeneral, key, value) == ProfileFile::WriteStatus::Ok ||
            !result)
            return;
        result.status = SaveStatus::TextRefused;
        result.section = kSectionGeneral;
        result.key = key;
    };
    file.writeInteger(kSectionGeneral, "nNbTypesDep", sizeOf(budget.TypesDep.size()));
    file.writeInteger(kSectionGeneral, "nNbOperations", sizeOf(budget.Operations.size()));
    text("cSalaireMoyen", budget.cSalaireMoyen);
    file.writeInteger(kSectionGeneral, "nNbJoursMois", budget.nNbJoursMois());
    text("nResteDebMois", budget.nResteDebMois);
    file.writeInteger(kSectionGeneral, "nNbEconomies", sizeOf(budget.Economies.size()));
    file.writeInteger(kSectionGeneral, "nNbSimulations", sizeOf(budget.Simulations.size()));
}

// The columns of a CSV mapping as "date,libelle,montant,debit,credit", from 1, 0 for none.
std::string colonnesTexte(const ColonnesCsv& c) {
    std::string t;
    for (const int col : {c.date, c.libelle, c.montant, c.debit, c.credit}) {
        if (!t.empty()) t += ',';
        t += std::to_string(col + 1);
    }
    return t;
}

std::optional<ColonnesCsv> colonnesDe(std::string_view texte) {
    int cols[5];
    for (int& col : cols) {
        const std::size_t virgule = std::min(texte.find(','), texte.size());
        const auto n = ProfileFile::parseInteger(texte.substr(0, virgule));
        if (!n || *n < 0 || *n > 10000) return std::nullopt;
        col = *n - 1;
        texte.remove_prefix(std::min(virgule + 1, texte.size()));
    }
    ColonnesCsv c{cols[0], cols[1], cols[2], cols[3], cols[4]};
    if (!texte.empty() || !c.complete()) return std::nullopt;
    return c;
}

// Written after the settings, each list only when it holds something: a budget that never
// imported saves as before, and files without these keys load with an empty memory. One key
// per value, so that no separator inside a label needs escaping.
void writeMemoireImport(SectionWriter& w, const MemoireImport& m) {
    if (!m.toutesColonnes().empty()) {
        w.integer("nImportNbColonnes", static_cast<std::int32_t>(m.toutesColonnes().size()));
        int i = 0;
        for (const auto& [entete, colonnes] : m.toutesColonnes()) {
            ++i;
            w.text("cImportEntete", i, entete);
            w.text("cImportColonnes", i, colonnesTexte(colonnes));
        }
    }
    if (!m.regles().empty()) {
        w.integer("nImportNbRegles", static_cast<std::int32_t>(m.regles().size()));
        int i = 0;
        for (const RegleImport& regle : m.regles()) {
            ++i;
            w.text("cImportRegleTexte", i, regle.cTexte);
            w.text("cImportRegleType", i, regle.cTypeDep);
        }
    }
    if (!m.derniersTypes().empty()) {
        w.integer("nImportNbChoix", static_cast<std::int32_t>(m.derniersTypes().size()));
        int i = 0;
        for (const auto& [libelle, code] : m.derniersTypes()) {
            ++i;
            w.text("cImportChoixLibelle", i, libelle);
            w.text("cImportChoixType", i, code);
        }
    }
    if (!m.fitids().empty()) {
        w.integer("nImportNbFitid", static_cast<std::int32_t>(m.fitids().size()));
        int i = 0;
        for (const std::string& fitid : m.fitids()) w.text("cImportFitid", ++i, fitid);
    }
}

// Entries that cannot be kept (a count out of range, a value missing or unreadable) are
// passed over: the memory only helps, it never stops a budget from loading.
void readMemoireImport(const ProfileFile& file, MemoireImport& m) {
    const SectionReader param(file, kSectionParametres);
    const auto nombre = [&param](const char* key) {
        const std::int32_t n = param.integer(key, 0);
        return n < 0 || n > kMaxEntreesParCollection ? 0 : n;
    };
    // Pairs of values of entries 1..n, in number order.
    const auto paires = [&file](std::initializer_list<std::string_view> champs, std::int32_t n) {
        std::vector<std::pair<std::string, std::string>> v(static_cast<std::size_t>(n));
        NumberedKeys(file, kSectionParametres, champs, n)
            .read([&](int field, int i, std::string_view value) {
                auto& p = v[static_cast<std::size_t>(i - 1)];
                (field == 0 ? p.first : p.second) = value;
            });
        return v;
    };
    for (const auto& [entete, texte] :
         paires({"cImportEntete", "cImportColonnes"}, nombre("nImportNbColonnes")))
        if (const auto colonnes = colonnesDe(texte)) m.retiensColonnes(entete, *colonnes);
    std::vector<RegleImport> regles;
    for (auto& [texte, code] :
         paires({"cImportRegleTexte", "cImportRegleType"}, nombre("nImportNbRegles")))
        regles.push_back({std::move(texte), std::move(code)});
    std::erase_if(regles,
                  [](const RegleImport& r) { return r.cTexte.empty() || r.cTypeDep.empty(); });
    m.setRegles(std::move(regles));
    for (const auto& [libelle, code] :
         paires({"cImportChoixLibelle", "cImportChoixType"}, nombre("nImportNbChoix")))
        m.retiensType(libelle, code);
    for (const auto& [fitid, rien] : paires({"cImportFitid"}, nombre("nImportNbFitid")))
        m.ajouteFitid(fitid);
}

// Keys, numbers and line ends take well under 48 bytes a line, which leaves room for labels
// of a hundred bytes on average: room reserved for a text at that rate is seldom outgrown.
constexpr std::size_t kOctetsParLigne = 48;

// How many records ahead of the one written its label, and the record itself, are asked for.
constexpr std::size_t kAvanceLibelles = 16;
constexpr std::size_t kAvanceOperations = 32;

// The lines of the operations from `from` to `to`, numbered from 1 as in the journal.
void writeOperations(SectionWriter& w, const std::vector<TOperation>& operations, std::size_t from,
                     std::size_t to) {
    for (std::size_t index = from; index < to; ++index) {
        // The journal is read in order, but the processor does not see its records coming in
        // time, nor labels that lie anywhere once it was sorted: both are asked for ahead.
        if (index + kAvanceOperations < to) {
            const auto* record =
                reinterpret_cast<const char*>(&operations[index + kAvanceOperations]);
            for (std::size_t line = 0; line < sizeof(TOperation); line += 64)
                __builtin_prefetch(record + line);
        }
        if (index + kAvanceLibelles < to)
            __builtin_prefetch(operations[index + kAvanceLibelles].cLibelle.data());
        const TOperation& operation = operations[index];
        const int i = sizeOf(index) + 1;
        w.integer("nSelect", i, operation.nSelect);
        w.text("cDate", i, operation.cDate);
        w.text("cTypeDep", i, operation.cTypeDep);
        w.amount("nMontant", i, operation.nMontant);
        w.text("cLibelle", i, operation.cLibelle);
    }
}

// From this many operations on, a second thread makes the lines of the journal's second
// half, when the machine has one to give: a large journal is most of what a save costs.
constexpr std::size_t kJournalPartage = 16384;

// The lines of every operation: the same text whichever thread made each of them.
void writeJournal(SectionWriter& w, const std::vector<TOperation>& operations) {
    const std::size_t n = operations.size();
    std::size_t split = n;
    struct Part {
        ProfileFile::Growing lines;
        SaveResult result;
    };
    std::future<Part> second;
    if (n >= kJournalPartage && std::thread::hardware_concurrency() > 1) {
        // This thread also writes its lines to the disk as they come: it takes fewer.
        split = n * 9 / 20;
        try {
            second = std::async(std::launch::async, [&operations, split, n] {
                Part part;
                std::string& text = part.lines.text();
                text.reserve(kOctetsParLigne * kChampsOperations.size() * (n - split));
                ProfileFile::preferLargePages(text.data(), text.capacity());
                {
                    SectionWriter writer(part.lines, part.result, kSectionOperations);
                    writeOperations(writer, operations, split, n);
                }
                return part;
            });
        } catch (const std::system_error&) {
            split = n;  // no thread to be had: all of it here
        }
    }
    writeOperations(w, operations, 0, split);
    if (second.valid()) {
        Part part = second.get();
        w.append(part.lines, part.result);
    }
}

void writeSections(SectionWriter& w, const Budget& budget) {
    w.section(kSectionParametres);
    forEachParam(budget.Param, [&](const char* name, const auto& field, const auto&) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::string>)
            w.text(name, field);
        else if constexpr (std::is_same_v<Field, bool>)
            w.integer(name, field ? 1 : 0);
        else
            w.integer(name, static_cast<std::int32_t>(field));
    });
    writeMemoireImport(w, budget.Import);

    w.section(kSectionTypesDep);
    int i = 0;
    for (const TTypeDep& type : budget.TypesDep) {
        ++i;
        w.text("cTypeDep", i, type.cTypeDep);
        w.text("cLibelle", i, type.cLibelle);
        w.amount("nMontant", i, type.nMontant);
        w.integer("nPeriodicite", i, type.nPeriodicite);
    }

    w.section(kSectionOperations);
    writeJournal(w, budget.Operations);

    w.section(kSectionDepJourn);
    for (const TDepJourn& jour : budget.DepJourn) w.integer("nMontant", jour.nJour, jour.nMontant);

    w.section(kSectionEconomies);
    i = 0;
    for (const TEconomie& economie : budget.Economies) {
        ++i;
        w.text("cLibelle", i, economie.cLibelle);
        w.integer("nMontant", i, economie.nMontant);
    }

    w.section(kSectionSimulations);
    i = 0;
    for (const TPSimulation& simulation : budget.Simulations) {
        ++i;
        w.integer("nSelect", i, simulation.nSelect);
        w.text("cLibelle", i, simulation.cLibelle);
        w.text("cDateDeb", i, simulation.cDateDeb);
        w.text("cDateFin", i, simulation.cDateFin);
        w.amount("nMontant", i, simulation.nMontant);
    }
}

// Makes in `into` the whole text of the data file after a save of `budget` over `file`:
// "GENERAL" and any section the program does not know kept where they are, the six budget
// sections written again after them. False when the budget holds a value the file cannot, or
// when the file would be too large to be read again.
bool savedContent(const ProfileFile& file, const Budget& budget, SaveResult& result,
                  ProfileFile::Growing& into) {
    ProfileFile kept =
        file.cloneWithout({kSectionParametres, kSectionTypesDep, kSectionOperations,
                           kSectionDepJourn, kSectionEconomies, kSectionSimulations});
    writeGeneral(kept, budget, result);
    if (!result) return false;
    std::string& out = into.text();
    out = kept.render();
    const std::size_t bytes =
        kOctetsParLigne *
        (kNbCles + 4 * budget.TypesDep.size() + 5 * budget.Operations.size() + kNbJoursDepJourn +
         2 * budget.Economies.size() + 5 * budget.Simulations.size());
    out.reserve(out.size() + bytes);
    ProfileFile::preferLargePages(out.data(), out.capacity());
    {
        SectionWriter writer(into, result);
        writeSections(writer, budget);
    }
    if (!result) return false;
    if (out.size() > ProfileFile::kMaxFileBytes) {
        result.status = SaveStatus::TooLarge;
        return false;
    }
    return true;
}

// Reads the operations' section out of `consumable` when there is one (the same profile as
// `file`), else leaves the profile as it is.
LoadStatus charge(const ProfileFile& file, ProfileFile* consumable, Budget& budget) {
    budget = Budget();
    const SectionReader general(file, kSectionGeneral);
    const auto nbTypes = count(file, general, "nNbTypesDep", kSectionTypesDep, kChampsTypesDep);
    const auto nbOperations =
        count(file, general, "nNbOperations", kSectionOperations, kChampsOperations);
    const auto nbEconomies =
        count(file, general, "nNbEconomies", kSectionEconomies, kChampsEconomies);
    const auto nbSimulations =
        count(file, general, "nNbSimulations", kSectionSimulations, kChampsSimulations);
    if (!nbTypes || !nbOperations || !nbEconomies || !nbSimulations) return LoadStatus::Damaged;

    KeyName key;
    forEachParam(budget.Param, ReadParam{SectionReader(file, kSectionParametres)});
    readMemoireImport(file, budget.Import);

    budget.TypesDep.resize(static_cast<std::size_t>(*nbTypes));
    NumberedKeys(file, kSectionTypesDep, kChampsTypesDep, *nbTypes)
        .read([&](int field, int i, std::string_view value) {
            TTypeDep& type = budget.TypesDep[static_cast<std::size_t>(i - 1)];
            switch (field) {
            case 0: type.cTypeDep = value; break;
            case 1: type.cLibelle = value; break;
            case 2: type.nMontant = fromHundredths(integerOf(value)); break;
            default: type.nPeriodicite = integerOf(value); break;
            }
        });
    for (TTypeDep& type : budget.TypesDep) type.nNbMois = NbMoisPeriodicite(type.nPeriodicite);

    budget.setNbJoursMois(general.integer("nNbJoursMois", 0));
    const SectionReader jours(file, kSectionDepJourn);
    for (TDepJourn& jour : budget.DepJourn)
        jour.nMontant = jours.integer(key("nMontant", jour.nJour), 0);

    budget.cSalaireMoyen = general.text("cSalaireMoyen");
    budget.nResteDebMois = general.text("nResteDebMois");

    budget.Economies.resize(static_cast<std::size_t>(*nbEconomies));
    NumberedKeys(file, kSectionEconomies, kChampsEconomies, *nbEconomies)
        .read([&](int field, int i, std::string_view value) {
            TEconomie& economie = budget.Economies[static_cast<std::size_t>(i - 1)];
            if (field == 0)
                economie.cLibelle = value;
            else
                economie.nMontant = integerOf(value);
        });

    budget.Simulations.resize(static_cast<std::size_t>(*nbSimulations));
    NumberedKeys(file, kSectionSimulations, kChampsSimulations, *nbSimulations)
        .read([&](int field, int i, std::string_view value) {
            TPSimulation& simulation = budget.Simulations[static_cast<std::size_t>(i - 1)];
            switch (field) {
            case 0: simulation.nSelect = integerOf(value); break;
            case 1: simulation.cLibelle = value; break;
            case 2: simulation.cDateDeb = value; break;
            case 3: simulation.cDateFin = value; break;
            default: simulation.nMontant = fromHundredths(integerOf(value)); break;
            }
        });

    // Last: consuming the operations erases their section, which moves the other sections
    // and leaves the readers above pointing at the wrong ones. Records are made as their keys
    // come, in number order in a file the program wrote, while the section's text is given
    // back behind them: the budget is never held twice.
    std::vector<TOperation>& operations = budget.Operations;
    operations.reserve(static_cast<std::size_t>(*nbOperations));
    ProfileFile::preferLargePages(operations.data(), operations.capacity() * sizeof(TOperation));
    budget.suiviOperations = {};  // a file's journal may be in any order
    const auto storeOperation = [&](int field, int i, std::string_view value) {
        const auto number = static_cast<std::size_t>(i);
        if (number == operations.size() + 1)
            operations.emplace_back();
        else if (number > operations.size())
            operations.resize(number);
        TOperation& operation = operations[number - 1];
        switch (field) {
        case 0: operation.nSelect = integerOf(value); break;
        case 1: operation.cDate = value; break;
        case 2: operation.cTypeDep = value; break;
        case 3: operation.nMontant = fromHundredths(integerOf(value)); break;
        default: operation.cLibelle = value; break;
        }
    };
    const NumberedKeys keys(file, kSectionOperations, kChampsOperations, *nbOperations);
    if (consumable != nullptr)
        keys.consume(*consumable, storeOperation);
    else
        keys.read(storeOperation);
    operations.resize(static_cast<std::size_t>(*nbOperations));
    return LoadStatus::Ok;
}

}  // namespace

LoadStatus ChargeFichier(const ProfileFile& file, Budget& budget) {
    return charge(file, nullptr, budget);
}

LoadStatus ChargeFichier(ProfileFile&& file, Budget& budget) {
    return charge(file, &file, budget);
}

SaveResult ecritBudget(ProfileFile& file, const Budget& budget) {
    SaveResult result;
    result.path = file.path();
    ProfileFile::Growing content;
    if (savedContent(file, budget, result, content)) file.reset(std::move(content));
    return result;
}

SaveResult SauveFichier(ProfileFile& file, const Budget& budget,
                        ProfileFile::ExternalChange policy) {
    SaveResult result;
    result.path = file.path();
    // Written while it is made: the disk works meanwhile.
    const ProfileFile::FlushResult flushed = file.replaceWith(
        [&](ProfileFile::Growing& content) { return savedContent(file, budget, result, content); },
        policy);
    result.systemError = flushed.systemError;
    result.backupError = flushed.backupError;
    switch (flushed.status) {
    case ProfileFile::FlushStatus::Ok:
    case ProfileFile::FlushStatus::Abandoned: break;  // the reason is already in the result
    case ProfileFile::FlushStatus::NotSynced: result.status = SaveStatus::NotSynced; break;
    case ProfileFile::FlushStatus::WriteFailed: result.status = SaveStatus::WriteFailed; break;
    case ProfileFile::FlushStatus::ChangedOnDisk: result.status = SaveStatus::ChangedOnDisk; break;
    }
    return result;
}

}  // namespace varnelle

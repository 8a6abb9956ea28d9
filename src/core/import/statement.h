#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/amount.h"

namespace varnelle {

// One line of a bank statement, as the journal will hold it.
struct LigneReleve {
    std::size_t numero = 0;  // line of the file from 1; for OFX, the transaction's rank
    std::string cDate;       // dd/mm/yyyy, a valid date
    Montant nMontant = 0;    // a whole number of hundredths the file can hold
    std::string cLibelle;    // Windows-1252, never blank
    std::string cFitid;      // the bank's id of the transaction, when it gives one
    bool operator==(const LigneReleve&) const = default;
};

// Why a statement is refused; the wording belongs to the gui and the cli.
enum class CodeErreurReleve {
    FichierVide,           // no line, or no transaction
    EncodageInconnu,       // UTF-16, or a byte Windows-1252 leaves undefined
    CaractereNonGardable,  // a UTF-8 character Windows-1252 cannot hold
    EnteteIntrouvable,     // CSV: no header naming the date, label and amount columns
    ColonneManquante,      // CSV: a line shorter than the columns it should have
    GuillemetNonFerme,     // CSV: a quoted field that does not end on its line
    DateInvalide,          // missing, unreadable, or not a day of the calendar
    DateAmbigue,           // QIF: day and month cannot be told apart
    MontantInvalide,       // missing or unreadable
    MontantTropGrand,      // beyond what the file holds (32-bit hundredths)
    MontantAmbigu,         // CSV: both a debit and a credit on one line
    LibelleManquant,
    TypeNonGere,              // QIF: a section other than a bank account's
    EnregistrementIncomplet,  // QIF: a record without date or amount, or left open
    FormatIllisible,          // OFX: not a statement the reader understands, or a part it skipped
};

struct ErreurReleve {
    std::size_t numero = 0;  // the line (OFX: the transaction) at fault; 0 for the whole file
    CodeErreurReleve code = CodeErreurReleve::FichierVide;
    bool operator==(const ErreurReleve&) const = default;
};

// Either every line of the statement or the first fault found: nothing is imported in part.
struct ResultatReleve {
    std::vector<LigneReleve> lignes;
    std::optional<ErreurReleve> erreur;
    explicit operator bool() const { return !erreur; }
};

// Helpers shared by the readers of every format.

// The statement's bytes as Windows-1252 text: UTF-8 when they are valid UTF-8 (a byte-order
// mark dropped), Windows-1252 otherwise. The fault names the line of the first character that
// cannot be kept.
struct TexteReleve {
    std::string texte;
    std::optional<ErreurReleve> erreur;
};
TexteReleve texteReleve(std::string_view octets);

// A label as the journal keeps it: control characters become blanks, blanks around go, and
// it is cut at the length the data file reads back.
std::string libelleReleve(std::string_view texte);

// An amount as banks write it: blanks (and no-break spaces) between digit groups, "," or "."
// as the decimal separator, the other one as a thousands separator when both appear, a sign
// in front, at most two decimals that are not zero. Errors are MontantInvalide or
// MontantTropGrand.
struct MontantLu {
    std::int32_t centimes = 0;
    std::optional<CodeErreurReleve> erreur;
};
MontantLu litMontant(std::string_view texte);

// The three numbers of a date: two then a year, separated by "/", "-", "." or "'", the year
// on two digits (this century) or four; or yyyy-mm-dd, whose order is known (ordreConnu).
struct PartiesDate {
    int premier = 0;
    int second = 0;
    int annee = 0;
    bool ordreConnu = false;  // premier is then the day
};
std::optional<PartiesDate> partiesDate(std::string_view texte);

// "dd/mm/yyyy" for a day of the calendar; empty otherwise.
std::optional<std::string> dateValide(int jour, int mois, int annee);

}  // namespace varnelle

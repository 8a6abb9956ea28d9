#include "core/model/orders.h"

#include <gtest/gtest.h>

#include "core/model/locale_facts.h"
#include "records.h"

namespace varnelle {
namespace {

TOperation op(const char* date, const char* code, std::int32_t hundredths, const char* label = "") {
    TOperation o = test::operation(date, code, fromHundredths(hundredths));
    o.cLibelle = label;
    return o;
}

std::vector<std::string> labels(const std::vector<TOperation>& operations) {
    std::vector<std::string> out;
    for (const TOperation& o : operations) out.push_back(o.cLibelle);
    return out;
}

using Labels = std::vector<std::string>;

TEST(Orders, OperationKeysCompareDateThenCodeAndAmountAsText) {
    struct Case {
        std::vector<TOperation> input;
        Labels sorted;
    };
    const Case cases[] = {
        // Equal dates and codes: the amounts compare as text, 100 before 25.
        {{op("05/03/2024", "A", 2500, "25"), op("05/03/2024", "A", 10000, "100")}, {"100", "25"}},
        // The date comes first, whatever the code and amount.
        {{op("02/01/2001", "A", 100, "2nd"), op("01/01/2001", "Z", 99900, "1st")}, {"1st", "2nd"}},
        // A code that is a prefix of another compares through the amount's first character.
        {{op("01/01/2001", "AB", 100, "AB1"), op("01/01/2001", "A", 500, "A5"),
          op("01/01/2001", "A", -500, "A-5")},
         {"A-5", "A5", "AB1"}},
        // Dates far from today still sort as dates.
        {{op("01/01/2200", "A", 1, "2200"), op("01/01/1900", "A", 1, "1900"),
          op("01/01/2001", "A", 1, "2001"), op("15/06/0999", "A", 1, "999")},
         {"999", "1900", "2001", "2200"}},
        // Dates that are not valid go after every valid one and keep their order.
        {{op("  /  /    ", "A", 1, "blank"), op("31/02/2001", "A", 1, "31feb"),
          op("31/12/9999", "Z", 1, "last valid")},
         {"last valid", "blank", "31feb"}},
        // Equal keys keep their order.
        {{op("01/01/2001", "A", 1, "first"), op("01/01/2001", "A", 1, "second"),
          op("01/01/2000", "A", 1, "earlier"), op("01/01/2001", "A", 1, "third")},
         {"earlier", "first", "second", "third"}},
    };
    for (const Case& c : cases) {
        std::vector<TOperation> operations = c.input;
        trieOperations(operations);
        EXPECT_EQ(labels(operations), c.sorted);
    }
}

TEST(Orders, KeyTextUsesTheLocaleSeparator) {
    const LocaleFacts saved = localeFacts();
    EXPECT_EQ(CleOperation(op("01/01/2001", "A", 1250)), "0730486A12,5");
    EXPECT_EQ(CleOperation(op("99/99/9999", "B", -4000)), "~~~~~~~B-40");
    LocaleFacts point = saved;
    point.separateurDecimal = '.';
    setLocaleFacts(point);
    EXPECT_EQ(CleOperation(op("01/01/2001", "A", 1250)), "0730486A12.5");
    setLocaleFacts(saved);

    EXPECT_EQ(CompareOperations(op("01/01/2001", "A", 1), op("01/01/2001", "A", 1)), 0);
    EXPECT_EQ(CompareOperations(op("01/01/2001", "A", 1), op("02/01/2001", "A", 1)), -1);
    EXPECT_EQ(CompareOperations(op("01/01/2001", "B", 1), op("01/01/2001", "A", 1)), 1);
}

TEST(Orders, TypeCodesCompareByteByByte) {
    std::vector<TTypeDep> types;
    for (const char* code : {"\xE9", "z", "B", "a", "AB", "A", "A "}) {
        TTypeDep type;
        type.cTypeDep = code;
        types.push_back(type);
    }
    trieTypesDep(types);
    std::vector<std::string> codes;
    for (const TTypeDep& type : types) codes.push_back(type.cTypeDep);
    EXPECT_EQ(codes, (std::vector<std::string>{"A", "A ", "AB", "B", "a", "z", "\xE9"}));
    EXPECT_EQ(CompareTypesDep(types[0], types[6]), -1);
    EXPECT_EQ(CompareTypesDep(types[6], types[0]), 1);
    EXPECT_EQ(CompareTypesDep(types[3], types[3]), 0);
}

}  // namespace
}  // namespace varnelle

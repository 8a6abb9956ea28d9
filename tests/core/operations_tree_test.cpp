#include "core/stats/operations_tree.h"

#include <gtest/gtest.h>

#include "records.h"

namespace varnelle {
namespace {

using test::operation;

// January and March 2024 (no February); in March the codes B (Loyer), A and B again, then an
// operation of a code no type has, and one not yet dated.
Budget mars2024() {
    Budget budget;
    budget.TypesDep = {test::type("A", -1), test::type("B", -600)};
    budget.TypesDep[1].cLibelle = "Loyer";
    budget.Operations = {operation("10/01/2024", "A", -10),   operation("01/03/2024", "B", -600),
                         operation("05/03/2024", "A", -20),   operation("08/03/2024", "B", -5),
                         operation("20/03/2024", "ZZ", 1000), operation("  /  /    ", "A", -1)};
    budget.calculeTout();
    return budget;
}

TEST(OperationsTree, YearsMonthsAndTheTypesOfEachMonthInTheirFirstOrder) {
    const Budget budget = mars2024();
    const ArbreOperations arbre = ConstruitArbreOperations(budget, "08/03/2024");
    std::vector<std::string> textes;
    for (const TreeNode& noeud : arbre.noeuds)
        textes.push_back(std::to_string(noeud.level) + " " + noeud.text);
    EXPECT_EQ(textes, (std::vector<std::string>{"0 2024", "1 Janvier", "2 Type", "1 Mars",
                                                "2 Loyer", "2 Type", "2 ZZ"}));
    EXPECT_EQ(arbre.selection, 3u);
    EXPECT_EQ(arbre.noeuds[4].image, 4);
    EXPECT_EQ(arbre.infos[4], (TInfoNoeudArbreOp{1, "03", "B", -605, 2}));
    EXPECT_EQ(arbre.infos[0].nNbOperations, 5u);  // the undated one is left out

    EXPECT_EQ(TitreDetailOperations(arbre, 0), "Vue arbrorescente des op\xE9rations (2024)");
    EXPECT_EQ(TitreDetailOperations(arbre, 4),
              "Vue arbrorescente des op\xE9rations (Mars 2024 : Loyer)");
}

TEST(OperationsTree, EachLevelDetailsItsOwnRun) {
    const Budget budget = mars2024();
    const ArbreOperations arbre = ConstruitArbreOperations(budget, "");
    // A month's total and the balance after its last operation.
    EXPECT_EQ(DetailOperations(budget, arbre, 0),
              (std::vector<TDetailOperations>{{0, "01", "", "Janvier", -10, -10},
                                              {0, "03", "", "Mars", 375, 365}}));
    EXPECT_EQ(DetailOperations(budget, arbre, 3),
              (std::vector<TDetailOperations>{{0, "B", "", "Loyer", -605, -635},
                                              {0, "A", "", "Type", -20, -630},
                                              {0, "ZZ", "", "ZZ", 1000, 365}}));
    EXPECT_EQ(DetailOperations(budget, arbre, 4),
              (std::vector<TDetailOperations>{{1, "", "01/03/2024", "Libellé", -600, -610},
                                              {1, "", "08/03/2024", "Libellé", -5, -635}}));
}

// From 15/11/2023 to 10/02/2024, an undated operation ending December's run.
TEST(OperationsTree, TheBinderHasAMonthPerRunOfOperations) {
    const std::vector<TOperation> operations = {
        operation("15/11/2023", "A", 1), operation("02/12/2023", "A", 2),
        operation("  /  /    ", "A", 3), operation("20/12/2023", "B", 4),
        operation("10/01/2024", "A", 5), operation("10/02/2024", "A", 6)};
    EXPECT_EQ(ConstruitClasseur(operations), (std::vector<MoisClasseur>{{"2023", "11", 0, 0},
                                                                        {"2023", "12", 1, 1},
                                                                        {"2023", "12", 3, 3},
                                                                        {"2024", "01", 4, 4},
                                                                        {"2024", "02", 5, 5}}));
    EXPECT_EQ(DetailMoisClasseur(operations, {"2023", "12", 3, 3}),
              (std::vector<TDetailOperations>{{1, "B", "20/12/2023", "Libellé", 4, 0}}));
}

}  // namespace
}  // namespace varnelle

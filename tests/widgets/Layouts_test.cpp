// VBoxLayout and VGridLayout: the places of the children and the layout's size as a program
// reads them, after it changes the children, and as the mouse finds them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/Box.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "widgets/VBoxLayout.h"
#include "widgets/VGridLayout.h"
#include "widgets/VLabel.h"

namespace {

using vt::Box;
using Widgets = std::vector<VWidget*>;

VWidget* sized(VWidget* owner, int width, int height) {
  auto* w = new VWidget(owner);
  w->setWidth(width);
  w->setHeight(height);
  return w;
}

VLabel* label(VWidget* owner, const std::string& caption) {
  auto* l = new VLabel(owner);
  l->setCaption(caption);
  return l;
}

// Builds a scene on the screen and answers the widgets to check, in the order they are read:
// the child added last comes first where a case checks that one joining is placed at once.
struct LayoutCase {
  const char* name;
  std::function<Widgets(VWidget* screen)> build;
  std::vector<Box> expected;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

const LayoutCase kCases[] = {
    {"RowOfThree", [](VWidget* s) -> Widgets {
       auto* b = new VBoxLayout(s, ldRow);
       VWidget* first = sized(b, 30, 10);
       VWidget* second = sized(b, 20, 20);
       return {sized(b, 10, 5), b, first, second};
     }, {{58, 0, 10, 5}, {0, 0, 68, 20}, {0, 0, 30, 10}, {34, 0, 20, 20}}},
    {"RowCentred", [](VWidget* s) -> Widgets {
       auto* b = new VBoxLayout(s, ldRow);
       b->setAlignment(laCenter);
       return {b, sized(b, 30, 10), sized(b, 20, 20), sized(b, 10, 5)};
     }, {{0, 0, 68, 20}, {0, 5, 30, 10}, {34, 0, 20, 20}, {58, 7, 10, 5}}},
    {"ColumnAtTheEndWithMarginAndSpacingSetLast", [](VWidget* s) -> Widgets {
       auto* b = new VBoxLayout(s, ldColumn);
       Widgets w{b, sized(b, 30, 10), sized(b, 20, 20), sized(b, 10, 5)};
       b->setMargin(3);
       b->setSpacing(2);
       b->setAlignment(laEnd);
       return w;
     }, {{0, 0, 36, 45}, {3, 3, 30, 10}, {13, 15, 20, 20}, {23, 37, 10, 5}}},
    {"ChildHiddenAfterAPassTakesNoPlace", [](VWidget* s) -> Widgets {
       auto* b = new VBoxLayout(s, ldRow);
       VWidget* first = sized(b, 30, 10);
       VWidget* hidden = sized(b, 50, 50);
       VWidget* last = sized(b, 10, 5);
       EXPECT_EQ(b->getWidth(), 98);
       hidden->setVisible(false);
       return {last, b, first};
     }, {{34, 0, 10, 5}, {0, 0, 44, 10}, {0, 0, 30, 10}}},
    {"ColumnOfRows", [](VWidget* s) -> Widgets {
       auto* column = new VBoxLayout(s, ldColumn);
       column->setMargin(2);
       auto* top = new VBoxLayout(column, ldRow);
       sized(top, 30, 10);
       sized(top, 20, 20);
       auto* bottom = new VBoxLayout(column, ldRow);
       sized(bottom, 10, 5);
       sized(bottom, 10, 5);
       return {sized(bottom, 10, 5), bottom, column, top};
     }, {{28, 0, 10, 5}, {2, 26, 38, 5}, {0, 0, 58, 33}, {2, 2, 54, 20}}},
    {"GridOfUnevenChildren", [](VWidget* s) -> Widgets {
       auto* g = new VGridLayout(s, 2);
       Widgets w{g, sized(g, 30, 10), sized(g, 10, 25), sized(g, 20, 5), sized(g, 40, 15)};
       w.insert(w.begin(), sized(g, 5, 5));
       return w;
     }, {{0, 48, 5, 5}, {0, 0, 74, 53}, {0, 0, 30, 10}, {34, 0, 10, 25}, {0, 29, 20, 5},
         {34, 29, 40, 15}}},
    {"GridWithMarginTwoSpacingsAndAHiddenChild", [](VWidget* s) -> Widgets {
       auto* g = new VGridLayout(s, 3);
       g->setMargin(1);
       g->setColumnSpacing(2);
       g->setRowSpacing(6);
       VWidget* a = sized(g, 10, 10);
       sized(g, 10, 10)->setVisible(false);
       Widgets w{g, a, sized(g, 10, 10), sized(g, 10, 10)};
       w.insert(w.begin(), sized(g, 10, 10));
       return w;
     }, {{1, 17, 10, 10}, {0, 0, 36, 28}, {1, 1, 10, 10}, {13, 1, 10, 10}, {25, 1, 10, 10}}},
    {"LabelGrowsAfterAPass", [](VWidget* s) -> Widgets {
       auto* b = new VBoxLayout(s, ldColumn);
       VLabel* first = label(b, "ab");
       VLabel* second = label(b, "abc");
       EXPECT_EQ(b->getHeight(), 44);
       first->setCaption("abcdef\nx");
       return {second, b, first};
     }, {{0, 44, 36, 20}, {0, 0, 72, 64}, {0, 0, 72, 40}}},
    {"ChildrenRemovedAndAddedAfterAPass", [](VWidget* s) -> Widgets {
       auto* b = new VBoxLayout(s, ldRow);
       VWidget* gone = sized(b, 10, 10);
       VWidget* kept = sized(b, 10, 10);
       EXPECT_EQ(b->getWidth(), 24);
       delete gone;
       VWidget* third = sized(b, 20, 10);
       return {sized(b, 10, 10), b, kept, third};
     }, {{38, 0, 10, 10}, {0, 0, 48, 10}, {0, 0, 10, 10}, {14, 0, 20, 10}}},
};

class Layouts : public vt::ScreenFixture, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(Layouts, PlaceTheirChildrenAndSizeThemselves) {
  const Widgets widgets = GetParam().build(screen_);
  std::vector<Box> actual;
  for (VWidget* w : widgets) actual.push_back(vt::boxOf(w));
  EXPECT_EQ(actual, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Layouts, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

using LayoutScene = vt::ScreenFixture;

struct CountedMoves : VWidget {
  using VWidget::VWidget;
  void setLeft(int newValue) override { ++moves; VWidget::setLeft(newValue); }
  int moves = 0;
};

// A label runs its own setters while it builds itself and takes its caption: none starts a pass.
TEST_F(LayoutScene, FiftyChildrenAddedInARowCostOnePass) {
  auto* row = new VBoxLayout(screen_, ldRow);
  auto* first = new CountedMoves(row);
  VLabel* last = nullptr;
  for (int i = 0; i < 49; ++i) last = label(row, "ab");
  EXPECT_EQ(last->getLeft(), 20 + 4 + 48 * 28);  // placed when it joined
  EXPECT_EQ(row->getWidth(), 20 + 49 * 28);
  EXPECT_EQ(first->moves, 1);  // the pass (it joined as a plain VWidget, which is not counted)
}

TEST_F(LayoutScene, LayoutsFollowTheirChildrenUnderTheMouseAndKeepTheirOrder) {
  auto* behind = new vt::RecordingWidget(screen_, "behind", 0, 0, 200, 200);
  auto* column = new VBoxLayout(screen_, ldColumn);
  VLabel* caption = label(column, "ab");
  auto* row = new VBoxLayout(column, ldRow);
  auto* a = new vt::RecordingWidget(row, "a", 0, 0, 20, 10);
  auto* b = new vt::RecordingWidget(row, "b", 0, 0, 20, 10);
  caption->setCaption("ab\ncd");  // nothing is read before the press: the press finds b lower
  press(30, 49);
  ASSERT_EQ(b->seen.size(), 1u);
  press(5, 49);  // a, pressed after b: the row's order stays the order of adding
  EXPECT_EQ(vt::boxOf(a), (Box{0, 0, 20, 10}));
  EXPECT_EQ(vt::boxOf(b), (Box{24, 0, 20, 10}));
  press(22, 49);  // the spacing between them: taken by the row, neither child nor focus
  press(35, 10);  // beside the caption, inside the column
  EXPECT_EQ(a->seen.size() + b->seen.size(), 2u);
  EXPECT_TRUE(behind->seen.empty());
  EXPECT_EQ(screen_->getFocusPath(), nullptr);
}

}  // namespace

// Delimited line parsing: quote states, blank and comma rules, the comma and "="
// passes, the field list's capacity, the breakdown display and the small tools
// beside the splitter.
#include "files/split.h"

#include "core/window_model.h"
#include "support/alloc_counter.h"
#include "support/vurn_test.h"

namespace {

using Fields = std::vector<std::string>;

Fields fieldsOf(const FieldList& list) { return Fields(list.slots.begin() + 1, list.slots.begin() + 1 + list.count); }

Fields split(std::string_view line, bool equals, bool blank, bool resplit, std::int16_t capacity = 22) {
  FieldList list(capacity);
  SplitDelimitedLine(line, equals, blank, resplit, list);
  return fieldsOf(list);
}

class SplitTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    MainControl("Show_BreakdownOf_LineInput_8chk").value = 0;
  }
};

// The self-test line split with all three options.
const Fields SelfTestFields = {"1a", "=", "2bc", "3abcd", "", "=", "4abcde", "", "5abcdef", "=", "", "6abc", "", "7a", "8"};

struct SplitCase { const char* name; std::string line; bool equals, blank, resplit; Fields expected; };

TEST_F(SplitTest, QuoteBlankCommaAndEqualsRules) {
  const std::string self = SplitSelfTestLine();
  ASSERT_EQ(self, " 1a, =2bc, \"3abcd,, =,4abcde,,5abcdef=\", ,6abc,, 7a 8");
  const std::vector<SplitCase> cases = {
      {"self, none", self, false, false, false, {"1a", "=2bc", "3abcd,, =,4abcde,,5abcdef=", "", "6abc", "", "7a 8"}},
      {"self, resplit", self, false, false, true,
       {"1a", "=2bc", "3abcd", "", "=", "4abcde", "", "5abcdef=", "", "6abc", "", "7a 8"}},
      {"self, equals", self, true, false, false,
       {"1a", "=", "2bc", "3abcd,,", "=", ",4abcde,,5abcdef", "=", "", "6abc", "", "7a 8"}},
      {"self, all", self, true, true, true, SelfTestFields},
      {"trailing comma dropped", "a,b,", false, false, false, {"a", "b"}},
      {"two trailing commas keep one", "a,b,,", false, false, false, {"a", "b", ""}},
      {"lone comma", ",", false, false, false, {""}}, {"blank line", "     ", false, false, false, {}},
      {"after closing quote dropped", "\"abc\"def,x", false, false, false, {"abc", "x"}},
      {"before opening quote dropped", "ab\"cd\",x", false, false, false, {"cd", "x"}},
      {"quoted comma kept", "a,\"b,c\"", false, false, false, {"a", "b,c"}},
      {"tab is not trimmed", "\ta ,b", false, false, false, {"\ta", "b"}},
      {"blanks delimit", "a b  c", false, true, false, {"a", "b", "c"}},
      {"blank then comma", "a ,b", false, true, false, {"a", "", "b"}},
      {"quoted blank kept", "\"a b\", c d", false, true, false, {"a b", "c", "d"}},
      {"equals without options", "x = 5", false, false, false, {"x = 5"}},
      {"equals as field", "x = 5", true, false, false, {"x", "=", "5"}},
      {"leading and trailing equals", "=a=", true, false, false, {"=", "a", "="}},
      {"double equals", "k==v", true, false, false, {"k", "=", "=", "v"}},
  };
  for (const auto& c : cases) EXPECT_EQ(split(c.line, c.equals, c.blank, c.resplit), c.expected) << c.name;
  // (An odd number of quotes: ER932 in the corpus, for the splitter and two readers.)
}

// Exactly full fits (also with the trailing empty field dropped); one more is
// reported, whichever pass makes it, and nothing is written past the list.
TEST_F(SplitTest, FieldListCapacityIsExactAndNeverOverrun) {
  EXPECT_EQ(split("a,b,c,", false, false, false, 3), (Fields{"a", "b", "c"}));
  EXPECT_EQ(split("a,b,\"c,d\"", false, false, true, 4), (Fields{"a", "b", "c", "d"}));
  EXPECT_EQ(split("a,b,c,,", false, false, false, 4), (Fields{"a", "b", "c", ""}));
  const std::vector<SplitCase> overflowing = {
      {"scan", "a,b,c,d", false, false, false, {}}, {"scan far past", "a,b,c,d,e,f,g,h,i,j,k", false, false, false, {}},
      {"two trailing commas", "a,b,c,,", false, false, false, {}}, {"blanks", "a b c d,", false, true, false, {}},
      {"comma pass", "\"a,b,c,d\"", false, false, true, {}}, {"equals pass", "a,b,c=", true, false, false, {}},
  };
  for (const auto& c : overflowing) {
    FieldList list(3);
    const ErrorHalt halt = HaltOf([&] { SplitDelimitedLine(c.line, c.equals, c.blank, c.resplit, list); });
    EXPECT_EQ(halt.identifier, "FL631") << c.name;
    EXPECT_NE(halt.description.find("`" + c.line + "`"), std::string::npos) << halt.description;
    EXPECT_NE(halt.description.find("capacity=3"), std::string::npos) << halt.description;
    EXPECT_EQ(list.slots.size(), 5u);
  }
  // The comma and "=" passes cut every field, however many.
  std::string inner = "1", equalsLine = "a";
  for (int k = 2; k <= 151; ++k) inner += "," + std::to_string(k);
  for (int k = 0; k < 120; ++k) equalsLine += "=a";
  const Fields cut = split("\"" + inner + "\"", false, false, true, 200);
  ASSERT_EQ(cut.size(), 151u);
  EXPECT_EQ(cut.back(), "151");
  EXPECT_EQ(split(equalsLine, true, false, false, 300).size(), 241u);
}

TEST_F(SplitTest, ReusedListIsClearedAndDoesNotAllocate) {
  FieldList list(40);
  SplitDelimitedLine("a long first field of this line,second field with text,third,fourth", false, false, false, list);
  SplitDelimitedLine("x,y", false, false, false, list);
  EXPECT_EQ(fieldsOf(list), (Fields{"x", "y"}));
  for (std::int16_t k = 3; k <= list.capacity(); ++k) EXPECT_EQ(list[k], "") << k;
  const std::string line = SplitSelfTestLine() + ", a field long enough to need the heap storage";
  SplitDelimitedLine(line, true, true, true, list);
  EXPECT_EQ(AllocationsDuring([&] { SplitDelimitedLine(line, true, true, true, list); }), 0u);
}

TEST_F(SplitTest, BreakdownIsShownWhenTickedAndBySelfTest) {
  FieldList list(22);
  DebugList().items = {"earlier"};
  SplitDelimitedLine("a,b", false, false, false, list);
  EXPECT_FALSE(gWindow.debug.visible);
  EXPECT_EQ(DebugList().items, Fields{"earlier"});
  MainControl("Show_BreakdownOf_LineInput_8chk").value = 1;
  SplitDelimitedLine(" 1a, 3) x ", false, false, false, list);
  EXPECT_TRUE(gWindow.debug.visible);
  EXPECT_EQ(DebugList().items, (Fields{"--> 1a, 3) x <---", "1) 1a", "2) 3) x"}));
  ShowLineBreakdown("   ", FieldList(2));
  EXPECT_EQ(DebugList().items, (Fields{"-->   <---", "it's blank...."}));

  MainControl("Show_BreakdownOf_LineInput_8chk").value = 0;
  gWindow.debug.visible = false;
  SplitSelfTest();
  EXPECT_TRUE(gWindow.debug.visible);
  ASSERT_EQ(DebugList().items.size(), SelfTestFields.size() + 1);  // the line, then its fields split with every option
  EXPECT_EQ(DebugList().items[5] + "|" + DebugList().items.back(), "5) |15) 8");
}

TEST_F(SplitTest, KeyValueAndBraceIdentifier) {
  const struct { std::string text, key, value; bool found; } pairs[] = {
      {"\"SLD_CHARTID\" = \"UWT1\",", "SLD_CHARTID", "UWT1", true}, {"abc", "", "", false},
      {"a=b=c", "a", "b=c", true}, {"\"k\" = \" v\",", "k", " v", true}, {",=,", "", "", true},
  };
  for (const auto& c : pairs) {
    std::string key = "old", value = "old";
    bool found = !c.found;
    SplitKeyValue(c.text, key, value, found);
    EXPECT_EQ(key + "|" + value + "|" + (found ? "found" : "none"), c.key + "|" + c.value + "|" + (c.found ? "found" : "none"));
  }
  const struct { std::string text, id; bool endOfList; } cells[] = {
      {"Cone Anet {cone_anet}", "CONE_ANET", false}, {"{ sounding_name } the name", "SOUNDING_NAME", false},
      {"Comments", "ENDOFLIST", true}, {"Label {unclosed", "ENDOFLIST", true}, {"} {x}", "X", false},
  };
  for (const auto& c : cells) {
    bool endOfList = !c.endOfList;
    EXPECT_EQ(BraceIdentifier(c.text, endOfList), c.id) << c.text;
    EXPECT_EQ(endOfList, c.endOfList) << c.text;
  }
}

// Ascending by code unit (case-sensitive), equal texts in input order; 1000
// texts are taken, 1001 refused.
TEST_F(SplitTest, SortTextOrderIsStableTextOrderUpToAThousand) {
  const struct { Fields texts; std::vector<std::int16_t> order; } cases[] = {  // 1-based: texts[0] unused
      {{"", "b", "a", "c"}, {0, 2, 1, 3}}, {{"", "10", "9"}, {0, 1, 2}}, {{"", "b", "a", "b", "a"}, {0, 2, 4, 1, 3}},
      {{"", "a", "B"}, {0, 2, 1}}, {{""}, {0}},
  };
  std::vector<std::int16_t> order;
  for (const auto& c : cases) {
    SortTextOrder(c.texts, static_cast<std::int16_t>(c.texts.size() - 1), order);
    EXPECT_EQ(order, c.order) << c.texts.size();
  }
  Fields texts(1002);
  for (std::size_t k = 1; k < texts.size(); ++k) texts[k] = std::to_string(10000 - k);
  SortTextOrder(texts, 1000, order);
  for (std::int16_t k = 1; k <= 1000; ++k) ASSERT_EQ(order[static_cast<std::size_t>(k)], 1001 - k);
  EXPECT_ERROR_REPORT(SortTextOrder(texts, 1001, order), "BS291");
}

}  // namespace

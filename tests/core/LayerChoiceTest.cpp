#include "config/LayerChoice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "base/IniFile.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;

// What is kept is what a profile gives back: stored as a value and read
// again as a read of the key gives it, the name is the same.
TEST(StorableLayerName, IsWhatAProfileReadsBack) {
  using namespace std::string_literals;
  const std::string long32(32, 'x');
  const struct {
    std::string typed;
    std::string kept;
  } cases[] = {
      {"Driving", "Driving"},
      {"  Big map  ", "Big map"},
      {"Dri\tving\r\n[Bind]", "Driving[Bind]"},
      {"\"Fast\"", "Fast"},
      {"' spaced '", "spaced"},
      {"\"'both'\"", "both"},
      {"\"half", "\"half"},
      {"a \"b\"", "a \"b\""},
      {"\"\"", ""},
      {"   ", ""},
      {"\x7f"s, ""},
      {long32 + "y", long32},
      {std::string(31, 'x') + " y", std::string(31, 'x')},
  };
  for (const auto& [typed, kept] : cases) {
    const std::string name = StorableLayerName(typed);
    EXPECT_EQ(name, kept) << typed;
    const IniKeys read = KeysOfSection("Name1=" + name + '\0');
    ASSERT_EQ(read.size(), 1u) << typed;
    EXPECT_EQ(read[0].second, name) << typed;
  }
}

TEST(LayerChoice, OpensOnTheEntrysOwnLayerAndModeElseLayerOneHeld) {
  const struct {
    const char* what;
    std::optional<Binding> entry;
    int layer;
    LayerMode mode;
  } cases[] = {
      {"transparent", std::nullopt, 1, LayerHold},
      {"a key", Binding{.VCode = 65, .Action = ActEmulKey}, 1, LayerHold},
      {"toggles 3", Binding{.Action = ActLayer, .Layer = 3, .LayerMode = LayerToggle}, 3,
       LayerToggle},
      {"sets the base", Binding{.Action = ActLayer, .Layer = 0, .LayerMode = LayerSet}, 0,
       LayerSet},
      {"holds the base (edited by hand)", Binding{.Action = ActLayer, .Layer = 0}, 1, LayerHold},
      {"out of range", Binding{.Action = ActLayer, .Layer = 9, .LayerMode = 7}, kLayers, LayerHold},
  };
  for (const auto& c : cases) {
    LayerChoice choice;
    choice.ChooseMode(LayerOnce);
    choice.Assign(c.entry, {});
    EXPECT_EQ(choice.Layer(), c.layer) << c.what;
    EXPECT_EQ(choice.Mode(), c.mode) << c.what;
  }
}

// Only Set can go back to the base, which heads the list then; the list
// says each name as it would be kept.
TEST(LayerChoice, TheBaseIsOfferedWithSetOnly) {
  LayerChoice choice;
  choice.Assign(Binding{.Action = ActLayer, .Layer = 2, .LayerMode = LayerOnce},
                {"", "  Driving ", "", "", "", "", "Menu\n"});
  EXPECT_THAT(choice.Items(), ElementsAre("Layer 1", "Driving", "Layer 3", "Layer 4", "Layer 5",
                                          "Layer 6", "Menu"));
  EXPECT_EQ(choice.Item(), 1);
  EXPECT_EQ(choice.Name(), "  Driving ") << "the box keeps what is typed";

  choice.ChooseMode(LayerSet);
  EXPECT_EQ(choice.Items().front(), "Base");
  EXPECT_EQ(choice.Items().size(), 8u);
  EXPECT_EQ(choice.Item(), 2) << "the same layer, one item down";
  choice.ChooseItem(0);
  EXPECT_EQ(choice.Layer(), 0);
  EXPECT_FALSE(choice.Renamable());
  choice.Rename("Ground");
  EXPECT_EQ(choice.Name(), "");
  EXPECT_EQ(choice.Items().front(), "Base") << "the base keeps its name";

  choice.ChooseMode(LayerToggle);
  EXPECT_EQ(choice.Layer(), 1) << "layer 1 stands in for the base";
  EXPECT_EQ(choice.Items().size(), 7u);
  for (int item : {-1, 7}) {
    choice.ChooseItem(item);
    EXPECT_EQ(choice.Layer(), 1) << item;
  }
  choice.ChooseItem(6);
  EXPECT_EQ(choice.Layer(), 7);
  choice.Rename("");
  EXPECT_EQ(choice.Items().back(), "Layer 7") << "an emptied name is none";
  EXPECT_EQ(choice.Names()[1], "  Driving ") << "the other names stay as typed";
}

}  // namespace
}  // namespace vantrel

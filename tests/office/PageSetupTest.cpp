#include "platform/office/PageSetup.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quill;

namespace {

TEST(PageSetup, TakesTextsAsSpreadsheetApplicationsConvertThem) {
    PageSetup s;
    s.set("LeftMargin", "36");
    s.set("Orientation", "2");
    s.set("PaperSize", "8");
    s.set("Zoom", "False");
    s.set("FitToPagesTall", "False");
    s.set("FitToPagesWide", "2");
    s.set("PrintComments", "16");
    s.set("PrintGridLines", "True");
    s.set("Draft", "false");
    s.set("FirstPageNumber", "5");
    s.set("Order", "2");
    s.set("CenterFooter", "&P");
    EXPECT_EQ(s.LeftMargin, 36);
    EXPECT_EQ(s.Orientation, PageSetup::Landscape);
    EXPECT_EQ(s.PaperSize, 8);
    EXPECT_EQ(s.Zoom, 0);
    EXPECT_EQ(s.FitToPagesTall, 0);
    EXPECT_EQ(s.FitToPagesWide, 2);
    EXPECT_EQ(s.PrintComments, 16);
    EXPECT_TRUE(s.PrintGridLines);
    EXPECT_FALSE(s.Draft);
    EXPECT_EQ(s.firstPageNumber(), 5);
    EXPECT_EQ(s.Order, PageSetup::OverThenDown);
    EXPECT_EQ(s.CenterFooter, "&P");
    s.set("Zoom", "75");
    EXPECT_EQ(s.Zoom, 75);
}

TEST(PageSetup, RefusesValuesOfTheWrongKindAndKeepsTheProperty) {
    const std::vector<std::pair<const char*, const char*>> refused = {
        {"Orientation", "3"}, {"PaperSize", "999"},      {"Zoom", "5"},
        {"Zoom", "abc"},      {"LeftMargin", "宽"},      {"LeftMargin", "-1"},
        {"Order", "0"},       {"PrintGridLines", "yes"}, {"NoSuchProperty", "1"}};
    for (const auto& [property, value] : refused) {
        PageSetup s;
        EXPECT_THROW(s.set(property, value), std::invalid_argument) << property << "=" << value;
        EXPECT_EQ(s.Orientation, PageSetup::Portrait);
        EXPECT_EQ(s.PaperSize, PageSetup::PaperA4);
        EXPECT_EQ(s.Zoom, 100);
        EXPECT_EQ(s.LeftMargin, PageSetup().LeftMargin);
        EXPECT_FALSE(s.PrintGridLines);
    }
}

TEST(PageSetup, EveryStoredPropertyIsOneItTakes) {
    ASSERT_EQ(PageSetup::storedProperties().size(), 27);
    for (const QString& property : PageSetup::storedProperties()) {
        PageSetup s;
        const QString value = PageSetup::isBoolean(property)                               ? "True"
                              : property.endsWith("Header") || property.endsWith("Footer") ? "x"
                              : property == "Zoom"                                         ? "50"
                                                                                           : "1";
        EXPECT_NO_THROW(s.set(property, value)) << property.toStdString();
    }
}

} // namespace

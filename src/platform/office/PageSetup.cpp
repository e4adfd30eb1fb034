#include "platform/office/PageSetup.h"

#include "platform/office/PaperSizes.h"

#include <functional>
#include <map>
#include <stdexcept>

namespace quill {

namespace {

[[noreturn]] void refuse(const QString& property, const QString& value) {
    throw std::invalid_argument(
        QStringLiteral("%1 does not take \"%2\"").arg(property, value).toStdString());
}

double toNumber(const QString& property, const QString& value) {
    bool ok = false;
    const double n = value.trimmed().toDouble(&ok);
    if (!ok)
        refuse(property, value);
    return n;
}

int toWhole(const QString& property, const QString& value) {
    return int(toNumber(property, value) + 0.5);
}

bool toBool(const QString& property, const QString& value) {
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return toNumber(property, value) != 0;
}

using Setter = std::function<void(PageSetup&, const QString&, const QString&)>;

Setter text(QString PageSetup::*field) {
    return [field](PageSetup& s, const QString&, const QString& v) { s.*field = v; };
}
Setter length(double PageSetup::*field) {
    return [field](PageSetup& s, const QString& p, const QString& v) {
        const double n = toNumber(p, v);
        if (n < 0)
            refuse(p, v);
        s.*field = n;
    };
}
Setter flag(bool PageSetup::*field) {
    return [field](PageSetup& s, const QString& p, const QString& v) { s.*field = toBool(p, v); };
}
Setter whole(int PageSetup::*field, int low, int high) {
    return [=](PageSetup& s, const QString& p, const QString& v) {
        const int n = toWhole(p, v);
        if (n < low || n > high)
            refuse(p, v);
        s.*field = n;
    };
}

// A number of pages, or "False" for as many as needed.
Setter pages(int PageSetup::*field) {
    return [field](PageSetup& s, const QString& p, const QString& v) {
        if (v.trimmed().compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            s.*field = 0;
            return;
        }
        const int n = toWhole(p, v);
        if (n < 0 || n > 32767)
            refuse(p, v);
        s.*field = n;
    };
}

const std::map<QString, Setter>& setters() {
    static const std::map<QString, Setter> table = {
        {"LeftHeader", text(&PageSetup::LeftHeader)},
        {"CenterHeader", text(&PageSetup::CenterHeader)},
        {"RightHeader", text(&PageSetup::RightHeader)},
        {"LeftFooter", text(&PageSetup::LeftFooter)},
        {"CenterFooter", text(&PageSetup::CenterFooter)},
        {"RightFooter", text(&PageSetup::RightFooter)},
        {"LeftMargin", length(&PageSetup::LeftMargin)},
        {"RightMargin", length(&PageSetup::RightMargin)},
        {"TopMargin", length(&PageSetup::TopMargin)},
        {"BottomMargin", length(&PageSetup::BottomMargin)},
        {"HeaderMargin", length(&PageSetup::HeaderMargin)},
        {"FooterMargin", length(&PageSetup::FooterMargin)},
        {"PrintHeadings", flag(&PageSetup::PrintHeadings)},
        {"PrintGridLines", flag(&PageSetup::PrintGridLines)},
        {"PrintComments",
         [](PageSetup& s, const QString& p, const QString& v) {
             const int n = toWhole(p, v);
             if (n != PageSetup::NoComments && n != 1 && n != 16)
                 refuse(p, v);
             s.PrintComments = n;
         }},
        {"PrintQuality", whole(&PageSetup::PrintQuality, 1, 4800)},
        {"CenterHorizontally", flag(&PageSetup::CenterHorizontally)},
        {"CenterVertically", flag(&PageSetup::CenterVertically)},
        {"Orientation", whole(&PageSetup::Orientation, 1, 2)},
        {"Draft", flag(&PageSetup::Draft)},
        {"PaperSize",
         [](PageSetup& s, const QString& p, const QString& v) {
             const int code = toWhole(p, v);
             if (!PaperSizes::isKnown(code))
                 refuse(p, v);
             s.PaperSize = code;
         }},
        {"FirstPageNumber", [](PageSetup& s, const QString& p,
                               const QString& v) { s.FirstPageNumber = toWhole(p, v); }},
        {"Order", whole(&PageSetup::Order, 1, 2)},
        {"BlackAndWhite", flag(&PageSetup::BlackAndWhite)},
        {"Zoom",
         [](PageSetup& s, const QString& p, const QString& v) {
             if (v.trimmed().compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
                 s.Zoom = 0;
                 return;
             }
             const int n = toWhole(p, v);
             if (n < 10 || n > 400)
                 refuse(p, v);
             s.Zoom = n;
         }},
        {"FitToPagesWide", pages(&PageSetup::FitToPagesWide)},
        {"FitToPagesTall", pages(&PageSetup::FitToPagesTall)},
        {"PrintTitleRows", text(&PageSetup::PrintTitleRows)},
        {"PrintArea", text(&PageSetup::PrintArea)},
    };
    return table;
}

} // namespace

const QStringList& PageSetup::storedProperties() {
    static const QStringList names = {"LeftHeader",
                                      "CenterHeader",
                                      "RightHeader",
                                      "LeftFooter",
                                      "CenterFooter",
                                      "RightFooter",
                                      "LeftMargin",
                                      "RightMargin",
                                      "TopMargin",
                                      "BottomMargin",
                                      "HeaderMargin",
                                      "FooterMargin",
                                      "PrintHeadings",
                                      "PrintGridLines",
                                      "PrintComments",
                                      "PrintQuality",
                                      "CenterHorizontally",
                                      "CenterVertically",
                                      "Orientation",
                                      "Draft",
                                      "PaperSize",
                                      "FirstPageNumber",
                                      "Order",
                                      "BlackAndWhite",
                                      "Zoom",
                                      "FitToPagesWide",
                                      "FitToPagesTall"};
    return names;
}

bool PageSetup::isBoolean(const QString& property) {
    static const QStringList names = {"PrintHeadings",    "PrintGridLines", "CenterHorizontally",
                                      "CenterVertically", "Draft",          "BlackAndWhite"};
    return names.contains(property);
}

void PageSetup::set(const QString& property, const QString& value) {
    const auto found = setters().find(property);
    if (found == setters().end())
        refuse(property, value);
    found->second(*this, property, value);
}

} // namespace quill

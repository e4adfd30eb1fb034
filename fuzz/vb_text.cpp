// The text and number rules: Val, ParseDate and Format never fail on any
// text, and Val reads back a finite number from the text written for a
// finite double. The input is a format text, a line feed, then the value.
#include "FuzzTarget.h"

#include "platform/vb/Format.h"
#include "platform/vb/ParseDate.h"
#include "platform/vb/PlainText.h"
#include "platform/vb/Val.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quill::vb;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = text.indexOf(u'\n');
    const QString format = split < 0 ? QString() : text.left(split);
    const QString value = split < 0 ? text : text.mid(split + 1);

    const double number = Val(value);
    ParseDate(value);
    Format(QVariant(value), format);
    Format(number, format);
    if (const auto date = ParseDate(value))
        Format(QVariant(*date), format);

    if (size >= sizeof(double)) {
        double written;
        std::memcpy(&written, data, sizeof written);
        if (std::isfinite(written))
            FUZZ_CHECK(std::isfinite(Val(NumberText(written))),
                       "Val of the text written for a finite number is not finite");
    }
    return 0;
}

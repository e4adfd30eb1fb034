#include "platform/office/PaperSizes.h"

#include <map>

namespace quill {

namespace {

const std::map<int, QPageSize::PageSizeId>& codes() {
    static const std::map<int, QPageSize::PageSizeId> table = {
        {1, QPageSize::Letter},      {3, QPageSize::Tabloid},     {5, QPageSize::Legal},
        {7, QPageSize::Executive},   {8, QPageSize::A3},          {9, QPageSize::A4},
        {11, QPageSize::A5},         {12, QPageSize::JisB4},      {13, QPageSize::JisB5},
        {20, QPageSize::Envelope10}, {27, QPageSize::EnvelopeDL}, {28, QPageSize::EnvelopeC5},
        {34, QPageSize::EnvelopeB5}, {70, QPageSize::A6},         {66, QPageSize::A2},
    };
    return table;
}

} // namespace

bool PaperSizes::isKnown(int code) {
    return codes().count(code) != 0;
}

QPageSize PaperSizes::pageSize(int code) {
    const auto found = codes().find(code);
    return QPageSize(found == codes().end() ? QPageSize::A4 : found->second);
}

} // namespace quill

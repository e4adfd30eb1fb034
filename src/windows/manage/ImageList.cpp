#include "windows/manage/ImageList.h"

namespace quill {

int ImageList::Add(const QString& key, const QIcon& icon) {
    m_images.append({key, icon});
    return Count();
}

int ImageList::IndexOf(const QString& key) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_images.at(i).first == key)
            return i + 1;
    }
    return 0;
}

QIcon ImageList::Picture(int index) const {
    return index >= 1 && index <= Count() ? m_images.at(index - 1).second : QIcon();
}

} // namespace quill

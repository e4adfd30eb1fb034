#pragma once

#include <QIcon>
#include <QList>
#include <QPair>
#include <QString>

namespace quill {

// The toolbar's image list: images with keys, numbered from 1 in the order
// they were added.
class ImageList {
public:
    // Adds an image and returns its index.
    int Add(const QString& key, const QIcon& icon);
    // Index of the first image whose key equals key, or 0 when there is none.
    int IndexOf(const QString& key) const;
    // The image at index (1..Count()); a null icon outside that range.
    QIcon Picture(int index) const;
    int Count() const { return static_cast<int>(m_images.size()); }
    void Clear() { m_images.clear(); }

private:
    QList<QPair<QString, QIcon>> m_images;
};

} // namespace quill

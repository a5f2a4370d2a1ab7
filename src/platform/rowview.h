#pragma once

#include <QString>

#include <memory>

// The two-column row a record entry shows in place of its title: a horizontal stack of two plain
// labels. Sizes are in device-independent pixels.
class RowView final
{
public:
    static constexpr int leftLabelWidth = 225;
    static constexpr int rowWidth = 450;
    static constexpr int rowHeight = 22;
    static constexpr int minimumLeftInset = 30;

    RowView(QString left, QString right);

    // A new row with `a` in the left label and `b` in the right one.
    static std::shared_ptr<RowView> makeTwoTextColumnStackForMenus(const QString &a,
                                                                   const QString &b);

    const QString &leftText() const { return m_left; }
    const QString &rightText() const { return m_right; }
    int width() const { return rowWidth; }
    int height() const { return rowHeight; }
    int leftWidth() const { return leftLabelWidth; }
    // The right label takes what the row leaves.
    int rightWidth() const { return rowWidth - minimumLeftInset - leftLabelWidth; }
    int leftInset() const { return minimumLeftInset; }

private:
    QString m_left;
    QString m_right;
};

#include "wizard/box_grid.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>

#include "platform/box_menu.h"
#include "platform/regional_settings.h"
#include "platform/runtime/pasted_cells.h"

BoxGrid::BoxGrid(QObject* parent, std::vector<std::vector<QLineEdit*>> boxes, std::function<int()> count)
    : QObject(parent), boxes_(std::move(boxes)), count_(std::move(count))
{
    for (const auto& row : boxes_) {
        for (QLineEdit* box : row) {
            platform::box_menu::onPaste(box, [this, box](const QString& text) { return paste(box, text); });
            box->installEventFilter(this);
            connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
                const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
                const int room = box->contentsRect().width() - 2 * frame - 4;
                box->setToolTip(box->fontMetrics().horizontalAdvance(text) > room ? text : QString());
            });
        }
    }
}

void BoxGrid::showFromTheStart(QLineEdit* box)
{
    box->setCursorPosition(0);
}

bool BoxGrid::eventFilter(QObject* watched, QEvent* event)
{
    // Another window coming to the front or a popup (the box's menu) leaves
    // the box as it is, selection and all.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            showFromTheStart(static_cast<QLineEdit*>(watched));
    }
    return false;
}

void BoxGrid::fill(const std::vector<std::vector<QString>>& texts)
{
    for (int i = 1; i <= rowsInUse() && i <= static_cast<int>(texts.size()); ++i) {
        for (int j = 1; j <= columnsInUse() && j <= static_cast<int>(texts[i - 1].size()); ++j) {
            box(i, j)->setText(texts[i - 1][j - 1]);
            showFromTheStart(box(i, j));
        }
    }
}

std::vector<std::vector<QString>> BoxGrid::texts() const
{
    std::vector<std::vector<QString>> texts(rowsInUse());
    for (int i = 1; i <= rowsInUse(); ++i) {
        for (int j = 1; j <= columnsInUse(); ++j)
            texts[i - 1].push_back(box(i, j)->text());
    }
    return texts;
}

int BoxGrid::rowsInUse() const
{
    return std::min(count_(), static_cast<int>(boxes_.size()));
}

int BoxGrid::columnsInUse() const
{
    return std::min(count_(), static_cast<int>(boxes_.front().size()));
}

bool BoxGrid::paste(QLineEdit* from, const QString& text)
{
    platform::PastedCells cells = platform::pastedCells(text.toStdU16String());
    if (cells.empty())
        return false;
    if (platform::cellCount(cells) == 1) {
        from->insert(QString::fromStdU16String(cells[0][0]));
        return true;
    }
    const int rows = rowsInUse(), columns = columnsInUse();
    if (columns == 1 && cells.size() == 1) {
        platform::PastedCells column;
        for (auto& cell : cells[0])
            column.push_back({std::move(cell)});
        cells = std::move(column);
    }
    int top = 0, left = 0;
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j) {
            if (box(i, j) == from)
                top = i, left = j;
        }
    }
    int leftOut = 0;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        for (std::size_t column = 0; column < cells[row].size(); ++column) {
            const int i = top + static_cast<int>(row), j = left + static_cast<int>(column);
            if (i <= rows && j <= columns) {
                box(i, j)->setText(QString::fromStdU16String(cells[row][column]));
                showFromTheStart(box(i, j));
            } else
                ++leftOut;
        }
    }
    if (leftOut > 0)
        platform::msgBox(QStringLiteral("Не поместилось значений: %1. Они не вставлены.").arg(leftOut),
                         platform::MessageIcon::Information);
    return true;
}

bool BoxGrid::check(const std::function<Refusal(int, int)>& refusal,
                    const std::function<void(int, int, double)>& store)
{
    const int rows = rowsInUse(), columns = columnsInUse();
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j) {
            const auto value = platform::textToNumber(box(i, j)->text());
            if (!value) {
                focusingRefusedBox_ = true;
                box(i, j)->setFocus(Qt::OtherFocusReason);
                focusingRefusedBox_ = false;
                const Refusal refused = refusal(i, j);
                platform::msgBox(refused.text, platform::MessageIcon::Stop, refused.title);
                platform::msgBox(refused.tryAgain, refused.tryAgainIcon);
                return false;
            }
            store(i, j, *value);
        }
    }
    return true;
}

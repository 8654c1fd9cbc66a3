#include <cmath>
#include <numbers>
#include <optional>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QToolTip>
#include <QtTest>

#include "platform/regional_settings.h"
#include "results/step_picture.h"
#include "results/step_view.h"
#include "support/course_cases.h"

// The steps as pictures, read by their pixels as a student sees them: the
// arc turns the way its angle says, no word covers another or a number, and
// every mark stands out from its cell without its colour and on a dark theme.
class StepPictureTest : public QObject {
    Q_OBJECT

    // The steps of a case of course_cases.tsv, drawn in a view of the size given.
    struct Drawn {
        std::vector<CourseStep> steps;
        StepView view{nullptr};
    };

    static void draw(Drawn& drawn, const std::string& file, QSize size, const QPalette& palette = QPalette())
    {
        drawn.steps = stepsOfSolve(solvedCase(courseCase(file)), platform::regionalSettings());
        drawn.view.setPalette(palette);
        drawn.view.resize(size);
        drawn.view.setSteps(&drawn.steps, 15);
    }

    static QImage shown(Drawn& drawn, int step)
    {
        drawn.view.showStep(step, QString(), QString());
        return drawn.view.grab().toImage();
    }

    // A dark theme whose highlight stands out from the cells by less than
    // 2 : 1, as a "darker" palette's does.
    static QPalette dark()
    {
        QPalette palette;
        palette.setColor(QPalette::Base, QColor(42, 42, 42));
        palette.setColor(QPalette::Window, QColor(53, 53, 53));
        palette.setColor(QPalette::AlternateBase, QColor(60, 60, 60));
        palette.setColor(QPalette::Text, QColor(220, 220, 220));
        palette.setColor(QPalette::Mid, QColor(80, 80, 80));
        palette.setColor(QPalette::Highlight, QColor(50, 80, 120));
        palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
        return palette;
    }

    // The strongest contrast of a pixel in the frame of a cell (the band
    // between 2 and 4 pixels inside its edges, clear of the grid's lines and
    // of the number) against the cells' colour.
    static qreal strongestInFrame(const QImage& image, QRect cell, const QColor& base)
    {
        qreal strongest = 1;
        const QRect inner = cell.adjusted(4, 4, -4, -4);
        for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y) {
            for (int x = cell.left() + 2; x < cell.right() - 1; ++x) {
                if (!inner.contains(x, y))
                    strongest = std::max(strongest, StepPicture::contrast(image.pixelColor(x, y), base));
            }
        }
        return strongest;
    }

private slots:
    void initTestCase() { platform::readRegionalSettings(); }

    // Forward, the pair (e, d) turns by −φ to (p, 0); back, by φ: the arc is
    // drawn along the turn its label gives, from the pair before to the pair
    // after, and not the other way round.
    void theArcTurnsTheWayItsAngleSays()
    {
        Drawn drawn;
        QPalette palette;
        const QColor mark(255, 0, 255);
        palette.setColor(QPalette::Highlight, mark);
        draw(drawn, "worked_example", QSize(1000, 420), palette);
        int planes = 0;
        for (int k = 0; k < int(drawn.steps.size()); ++k) {
            const CourseStep& step = drawn.steps[k];
            if (!step.plane || step.plane->turn == 0)
                continue;
            ++planes;
            const QImage image = shown(drawn, k);
            const StepPicture::Arc arc = drawn.view.arc();
            QCOMPARE(std::signbit(arc.turn), step.kind == CourseStep::Kind::Rotation);
            QVERIFY(std::abs(arc.turn) == std::abs(step.plane->degrees));
            const auto marked = [&](qreal degrees) {
                const qreal radians = degrees * std::numbers::pi / 180;
                const QPointF at = arc.centre + QPointF(std::cos(radians), -std::sin(radians)) * arc.radius;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        if (image.pixelColor(at.toPoint() + QPoint(dx, dy)) == mark)
                            return true;
                    }
                }
                return false;
            };
            for (const qreal share : {0.25, 0.5, 0.75}) {
                QVERIFY2(marked(arc.start + arc.turn * share), qPrintable(QString("step %1: no arc at %2 of the turn")
                                                                              .arg(k + 1).arg(share)));
                const qreal otherWay = arc.start - std::copysign(360 - std::abs(arc.turn), arc.turn) * share;
                QVERIFY2(!marked(otherWay), qPrintable(QString("step %1: an arc the other way round").arg(k + 1)));
            }
        }
        QCOMPARE(planes, 2);  // the rotation and the back rotation
    }

    // At eight unknowns, where the angles are small and the pairs close, and
    // in the worked example: every word of a plane inside the picture, over
    // no other word and no number; every rotation in the same arrangement,
    // the columns before and after as wide as each other.
    void noWordCoversAnotherOrANumber_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("eight unknowns") << "eight_long" << QSize(1200, 640);
        QTest::newRow("eight unknowns, a small window") << "eight_long" << QSize(700, 420);
        QTest::newRow("the worked example") << "worked_example" << QSize(640, 300);
        QTest::newRow("three unknowns, a quarter turn") << "zero_pivot" << QSize(900, 360);
    }

    void noWordCoversAnotherOrANumber()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        Drawn drawn;
        draw(drawn, file.toStdString(), size);
        std::optional<QPointF> after;  // where the matrix after a rotation stands: the same in every rotation
        for (int k = 0; k < int(drawn.steps.size()); ++k) {
            const CourseStep& step = drawn.steps[k];
            shown(drawn, k);
            if (step.kind == CourseStep::Kind::Rotation && step.tables.size() == 2) {
                const QPointF at = drawn.view.cellRect(1, 0, 0).topLeft();
                QVERIFY2(!after || *after == at, qPrintable(QString("step %1 stands otherwise").arg(k + 1)));
                after = at;
                for (int c = 0; c < int(step.tables[0].headers.size()); ++c)
                    QCOMPARE(drawn.view.cellRect(0, 0, c).width(), drawn.view.cellRect(1, 0, c).width());
            }
            const auto labels = drawn.view.planeLabels();
            QCOMPARE(labels.size(), step.plane ? std::size_t(step.plane->turn == 0 ? 4 : 5) : std::size_t(0));
            for (std::size_t one = 0; one < labels.size(); ++one) {
                const QString where = QString("step %1, «%2»").arg(k + 1).arg(labels[one].text);
                QVERIFY2(drawn.view.pictureRect().adjusted(-1, -1, 1, 1).contains(labels[one].rect),
                         qPrintable(where + " outside the picture"));
                for (std::size_t other = one + 1; other < labels.size(); ++other)
                    QVERIFY2(!labels[one].rect.intersects(labels[other].rect),
                             qPrintable(where + " over «" + labels[other].text + "»"));
                for (int t = 0; t < int(step.tables.size()); ++t) {
                    for (int r = 0; r < int(step.tables[t].rows.size()); ++r) {
                        for (int c = 0; c < int(step.tables[t].headers.size()); ++c)
                            QVERIFY2(!labels[one].rect.intersects(drawn.view.cellRect(t, r, c)),
                                     qPrintable(where + " over a number"));
                    }
                }
            }
        }
    }

    // In a narrow window the numbers of eight unknowns are rounded to fit
    // their cells (or the picture scaled down); each long one shows its
    // exact value as a tool tip.
    void aLongNumberShowsItsExactValueAsAToolTip()
    {
        Drawn drawn;
        draw(drawn, "eight_long", QSize(700, 420));
        drawn.view.show();
        int rounded = 0;
        for (int k = 1; k < int(drawn.steps.size()) && rounded < 20; ++k) {
            const QImage image = shown(drawn, k);
            const CourseStep::Table& table = drawn.steps[k].tables.front();
            for (int r = 0; r < int(table.rows.size()); ++r) {
                const auto& value = table.rows[r][0];
                if (!value || platform::generalText(*value).size() < 12)
                    continue;
                const QPoint at = drawn.view.cellRect(0, r, 0).center().toPoint();
                QHelpEvent hover(QEvent::ToolTip, at, drawn.view.mapToGlobal(at));
                QApplication::sendEvent(&drawn.view, &hover);
                QCOMPARE(QToolTip::text(), platform::generalText(*value));
                ++rounded;
            }
        }
        QVERIFY(rounded >= 20);
    }

    // Every marked cell (outlined, dashed, crossed, hatched) shows in its
    // frame a pixel that stands out from the cell by 3 : 1 at least, on a
    // light and on a dark theme, and in shades of grey; an unmarked cell
    // shows none.
    void everyMarkStandsOutWithoutItsColourAndOnADarkTheme_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("grey");
        QTest::newRow("light") << QPalette() << false;
        QTest::newRow("light, in shades of grey") << QPalette() << true;
        QTest::newRow("dark") << dark() << false;
        QTest::newRow("dark, in shades of grey") << dark() << true;
    }

    void everyMarkStandsOutWithoutItsColourAndOnADarkTheme()
    {
        QFETCH(QPalette, palette);
        QFETCH(bool, grey);
        if (palette.color(QPalette::Base) == dark().color(QPalette::Base))
            QVERIFY(StepPicture::contrast(palette.color(QPalette::Highlight), palette.color(QPalette::Base)) < 2);
        int marked = 0, plain = 0;
        for (const char* file : {"singular", "worked_example"}) {
            Drawn drawn;
            draw(drawn, file, QSize(1000, 420), palette);
            for (int k = 0; k < int(drawn.steps.size()); ++k) {
                QImage image = shown(drawn, k);
                if (grey)
                    image = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
                const CourseStep& step = drawn.steps[k];
                for (int t = 0; t < int(step.tables.size()); ++t) {
                    const CourseStep::Table& table = step.tables[t];
                    for (int r = 0; r < int(table.rows.size()); ++r) {
                        for (int c = 0; c < int(table.headers.size()); ++c) {
                            const bool isMarked = table.isHatched(r, c)
                                                  || std::any_of(table.marks.begin(), table.marks.end(), [&](const auto& m) {
                                                         return m.row == r && m.column == c;
                                                     });
                            if (!isMarked && table.isTangent(r, c))
                                continue;  // marked as a tangent by its letter, not by a frame
                            const QRect cell = drawn.view.cellRect(t, r, c).toAlignedRect();
                            const qreal strongest = strongestInFrame(image, cell, image.pixelColor(0, 0));
                            const QString where = QString("%1, step %2, table %3, cell (%4,%5)")
                                                          .arg(file).arg(k + 1).arg(t).arg(r + 1).arg(c + 1);
                            if (isMarked) {
                                ++marked;
                                QVERIFY2(strongest >= 3, qPrintable(where + QString(": marked at %1 : 1").arg(strongest)));
                            } else {
                                ++plain;
                                QVERIFY2(strongest < 1.5, qPrintable(where + QString(": unmarked, yet %1 : 1").arg(strongest)));
                            }
                        }
                    }
                }
            }
        }
        QVERIFY(marked > 10 && plain > 10);
    }
};

QTEST_MAIN(StepPictureTest)
#include "step_picture_test.moc"

#include "PageView.h"
#include "PreviewWindow.h"
#include "ReportFixture.h"
#include "ReportLoader.h"
#include "TemplateReader.h"

#include <QListView>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<ReportDocument> severalPages()
{
    ensureApplication();
    ReportData data{detailPacket(manyRows(20, 12)), headerPacket(QStringLiteral("客戶區間商品數量表"), "P", "T", {}),
                    QStringLiteral("temp.cds"), QStringLiteral("temp2.cds")};
    return std::make_unique<ReportDocument>(TemplateReader::read(shippedTemplatePath()), std::move(data),
                                            QDateTime::currentDateTime());
}

}

TEST(PreviewWindow, KeysPageBoxAndThumbnailsMoveTogether)
{
    auto document = severalPages();
    ASSERT_GT(document->pageCount(), 3);
    int last = document->pageCount() - 1;
    PreviewWindow window(*document);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("客戶區間商品數量表"));
    auto* pageBox = window.findChild<QSpinBox*>(QStringLiteral("pageBox"));
    auto* thumbnails = window.findChild<QListView*>(QStringLiteral("thumbnails"));
    ASSERT_TRUE(pageBox && thumbnails);
    EXPECT_EQ(thumbnails->model()->rowCount(), document->pageCount());

    struct Step {
        QKeySequence key;
        int page;
    };
    for (Step step : {Step{Qt::Key_PageDown, 1}, Step{Qt::Key_PageDown, 2}, Step{Qt::Key_PageUp, 1},
                      Step{Qt::Key_End, last}, Step{Qt::Key_PageDown, last}, Step{Qt::Key_Home, 0},
                      Step{Qt::Key_PageUp, 0}}) {
        QTest::keySequence(window.pageView(), step.key);
        EXPECT_EQ(window.currentPage(), step.page) << step.key.toString().toStdString();
        EXPECT_EQ(pageBox->value(), step.page + 1);
        EXPECT_EQ(thumbnails->currentIndex().row(), step.page);
    }
    pageBox->setValue(3);
    EXPECT_EQ(window.currentPage(), 2);
    thumbnails->setCurrentIndex(thumbnails->model()->index(1, 0));
    EXPECT_EQ(window.currentPage(), 1);
}

TEST(PreviewWindow, ZoomAndFitAndEscape)
{
    auto document = severalPages();
    PreviewWindow window(*document);
    window.resize(900, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    double start = window.zoom();
    EXPECT_GT(start, 0.6); // fitted to the width the window really got
    QTest::keySequence(window.pageView(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_GT(window.zoom(), start);
    QTest::keySequence(window.pageView(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QTest::keySequence(window.pageView(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_LT(window.zoom(), start);
    window.setFit(PageView::Fit::Page);
    double page = window.zoom();
    window.setFit(PageView::Fit::Width);
    EXPECT_GT(window.zoom(), page); // a portrait page fits in height before it fills the width
    QTest::qWait(50);
    EXPECT_TRUE(window.pageView()->hasPainted());
    QTest::keyClick(window.pageView(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

#pragma once

#include "Printers.h"
#include "RenderWorkspace.h"
#include "TestDatabase.h"

#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "windows/manage/ResultSheetRenderer.h"

#include <initializer_list>
#include <memory>

namespace quill::test {

// A fresh workspace, grid, window recordset and renderer per test.
class RenderFixture : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ws = std::make_unique<RenderWorkspace>(db().config(), db().folder());
        book = std::make_unique<F1Book>();
        renderer = std::make_unique<ResultSheetRenderer>(*book);
    }
    void TearDown() override {
        records.reset();
        renderer.reset();
        book.reset();
        ws.reset();
        EngineTest::TearDown();
    }

    // Renders as the window does; the recordset left behind is `records`.
    void render(bool blankForZero = false, const QString& report = QString()) {
        ResultSheetRenderer::Prepared run = renderer->prepare(report);
        renderer->show(run, blankForZero);
        records = std::move(run.data);
    }
    QString text(int row, int col) const { return book->CellText(row, col); }
    struct Cell {
        int row;
        int col;
        QString text;
    };
    // Each listed cell shows exactly its text.
    void expectTexts(std::initializer_list<Cell> cells) const {
        for (const Cell& c : cells)
            EXPECT_EQ(text(c.row, c.col), c.text) << "cell " << c.row << "," << c.col;
    }

    std::unique_ptr<RenderWorkspace> ws;
    std::unique_ptr<F1Book> book;
    std::unique_ptr<ResultSheetRenderer> renderer;
    std::unique_ptr<Recordset> records;
};

} // namespace quill::test

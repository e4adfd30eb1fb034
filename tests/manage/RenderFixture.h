#pragma once

#include "RenderWorkspace.h"
#include "TestDatabase.h"

#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "windows/manage/ResultSheetRenderer.h"

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

    std::unique_ptr<RenderWorkspace> ws;
    std::unique_ptr<F1Book> book;
    std::unique_ptr<ResultSheetRenderer> renderer;
    std::unique_ptr<Recordset> records;
};

} // namespace quill::test

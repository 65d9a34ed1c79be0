// Stepping through the folder by keys in the picture view: a menu shortcut
// steps once however its keys are let go, and a bare arrow steps on release.
#include <QApplication>
#include <QKeyEvent>
#include <chrono>
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class PictureStepKeys : public uitest::WindowTest {
protected:
    std::unique_ptr<TForm1> OpenSecondOfFour()
    {
        for (int i = 0; i < 4; ++i)
            imaging::SaveBmpFile(photos.Folder() + "s" + std::to_string(i) + ".bmp", imaging::Bitmap(10 + i, 10));
        auto form = std::make_unique<TForm1>();
        form->show();
        form->FolderOpen(QString::fromStdString(photos.Folder()), false);
        uitest::WaitForThumbnails(*form);
        QApplication::setActiveWindow(form.get());
        form->Confirm = [](const QString&) { return false; };
        form->SelectFile(1);
        form->Open1Click(form->DrawGrid1);
        return form;
    }
    static void Send(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(target, &event);
    }

    testsupport::TempDir photos;
};

} // namespace

TEST_F(PictureStepKeys, AltArrowStepsOnceWhicheverKeyIsReleasedFirst)
{
    for (const bool altFirst : { true, false }) {
        SCOPED_TRACE(altFirst ? "Alt released first" : "arrow released first");
        auto form = OpenSecondOfFour();
        QWidget* view = form->ImageEn1;
        ASSERT_EQ(QApplication::focusWidget(), view);
        Send(view, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        Send(view, QEvent::KeyPress, Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(form->CurrentIndex(), 2);
        if (altFirst) {
            Send(view, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
            Send(view, QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        } else {
            Send(view, QEvent::KeyRelease, Qt::Key_Right, Qt::AltModifier);
            Send(view, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        }
        EXPECT_EQ(form->CurrentIndex(), 2);
        EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 12);

        // The bare arrow still steps, once, when it is let go.
        uitest::TypeKey(view, Qt::Key_Right);
        EXPECT_EQ(form->CurrentIndex(), 3);
    }
}

// The simulated drop-down list answers as Win32 documents its combo box. Checked under Wine 8,
// which agrees except that a past-end CB_SETCURSEL leaves an earlier selection in place and
// CB_RESETCONTENT answers 1; the program selects only in a freshly emptied list and ignores the
// reset's answer, where the two agree.
#include "sim_fixture.h"

#include <string>

using SimComboBoxTest = SimTest;

TEST_F(SimComboBoxTest, AnswersLikeTheWin32ComboBox) {
    sim::addDialogControl(7, 11, "ComboBox");
    sim::setDialogHook([](HWND dialog, int) {
        EXPECT_EQ(GetDlgItem(dialog, 12), nullptr);
        EXPECT_EQ(SendDlgItemMessageA(dialog, 12, CB_GETCURSEL, 0, 0), 0); // no such control
        auto send = [&](UINT msg, WPARAM w, LPARAM l) {
            return SendDlgItemMessageA(dialog, 11, msg, w, l);
        };
        EXPECT_EQ(send(CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Zeta")), 0);
        EXPECT_EQ(send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Alpha")), 1); // not sorted
        EXPECT_EQ(send(CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(send(CB_SETCURSEL, 1, 0), 1);
        EXPECT_EQ(send(CB_GETCURSEL, 0, 0), 1);
        // Past the end, or -1: the selection is cleared and the answer is CB_ERR.
        EXPECT_EQ(send(CB_SETCURSEL, 2, 0), CB_ERR);
        EXPECT_EQ(send(CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(send(CB_SETCURSEL, 0, 0), 0);
        EXPECT_EQ(send(CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
        EXPECT_EQ(send(CB_GETCURSEL, 0, 0), CB_ERR);
        char text[8] = "xxxxxxx";
        EXPECT_EQ(send(CB_GETLBTEXTLEN, 0, 0), 4);
        EXPECT_EQ(send(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 4);
        EXPECT_STREQ(text, "Zeta");
        EXPECT_EQ(send(CB_GETLBTEXTLEN, 2, 0), CB_ERR);
        EXPECT_EQ(send(CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), CB_ERR);
        EXPECT_EQ(send(CB_RESETCONTENT, 0, 0), CB_OKAY);
        EXPECT_EQ(send(CB_GETCOUNT, 0, 0), 0);
        EndDialog(dialog, IDOK);
    });
    EXPECT_EQ(DialogBoxParamA(
                  nullptr, MAKEINTRESOURCEA(7), nullptr,
                  [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0),
              IDOK);
    // Messages to the dialog's own control stay inside the program: nothing is logged for them.
    EXPECT_TRUE(sim::eventsStartingWith({"SendMessage"}).empty());
}

#include "MainWindowFixture.h"

#include "grid/GridAccessible.h"
#include "support/KeyInput.h"
#include "support/ScreenReader.h"

#include <commctrl.h>

namespace {
// The text that the control's hint shows: the tooltip that knows the control as a tool says
// it; empty when none does.
std::string HintOf(HWND control) {
  struct TFind {
    HWND Control;
    std::string Text;
  } find{control, ""};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& f = *reinterpret_cast<TFind*>(data);
        char name[32] = {}, text[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = f.Control;
        tool.uId = reinterpret_cast<UINT_PTR>(f.Control);
        tool.lpszText = text;
        SendMessageA(window, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        f.Text = text;
        return f.Text.empty();
      },
      reinterpret_cast<LPARAM>(&find));
  return find.Text;
}

long RowChild(int row) {
  return TGridAccessible::ChildOfRow(row);
}
} // namespace

TEST_F(MainWindowTest, AScreenReaderReadsTheResultListAndHearsTheCurrentRowChange) {
  TScreenReader reader;
  const std::string folder = StartIn(
      {{"alpha.txt", "un mot\r\n"}, {"beta.txt", "un mot\r\n"}, {"gamma.txt", "un mot\r\n"}});
  SearchFor("mot");
  ASSERT_EQ(Form->grFic.Rows(), 3);
  TAccessibleClient grid(Form->grFic.Handle());
  ASSERT_EQ(grid.Result(), S_OK);
  EXPECT_EQ(grid.ChildCount(), Form->grFic.Rows() + 1);
  EXPECT_EQ(grid.Name(CHILDID_SELF), "3 fichier(s)");
  EXPECT_EQ(grid.Name(1), "Fichier, Dossier, Taille, Date Heure");
  EXPECT_EQ(grid.Name(RowChild(2)),
            "Fichier : beta.txt, Dossier : " + folder +
                ", Taille : 8, Date Heure : " + Form->FoundFiles()[1]->DateText);
  ASSERT_EQ(GetFocus(), Form->grFic.Handle());
  const long both = STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
  EXPECT_EQ(grid.State(RowChild(1)) & both, both);
  EXPECT_EQ(grid.State(RowChild(2)) & both, 0);

  PressKeys({VK_DOWN});
  EXPECT_TRUE(reader.Hears({EVENT_OBJECT_FOCUS, Form->grFic.Handle(), OBJID_CLIENT, RowChild(2)}));
  EXPECT_EQ(Form->grFic.SelectedRow(), 2);
  EXPECT_EQ(grid.State(RowChild(2)) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);
}

TEST_F(MainWindowTest, TheButtonsAndFoldingArrowsAreNamedPushButtonsWithHints) {
  TScreenReader reader;
  Start();
  // A standard button gets its role from the system's own proxy, which Wine's makes a client.
  const struct {
    HWND button;
    const char *name, *hint;
    bool ownDrawn;
  } buttons[] = {
      {Form->btPremOccur.Handle(), "Première occurrence", "Première occurrence", true},
      {Form->btOccurPrec.Handle(), "Occurrence précédente", "Occurrence précédente", true},
      {Form->btOccurSuiv.Handle(), "Occurrence suivante", "Occurrence suivante", true},
      {Form->btDernOccur.Handle(), "Dernière occurrence", "Dernière occurrence", true},
      {Form->btOuvrir.Handle(), "Ouvrir", "Ouvrir le fichier avec le programme associé", false},
      {Form->btExplorateur.Handle(), "Afficher dans l'Explorateur",
       "Ouvrir le dossier du fichier dans l'Explorateur", false}};
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.name);
    TAccessibleClient button(b.button);
    ASSERT_EQ(button.Result(), S_OK);
    if (b.ownDrawn) {
      EXPECT_EQ(button.Role(CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
    }
    EXPECT_EQ(button.Name(CHILDID_SELF), b.name);
    EXPECT_EQ(HintOf(b.button), b.hint);
  }
  // The name says what a click does, as the arrow shows it.
  for (TExpColPanel* panel : {&Form->ExpColPanel1, &Form->ExpColPanel2}) {
    const HWND arrow = panel->ArrowImage().Handle();
    TAccessibleClient button(arrow);
    ASSERT_EQ(button.Result(), S_OK);
    EXPECT_EQ(button.Role(CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(button.Name(CHILDID_SELF), "Replier");
    Click(arrow, 4, 4);
    ASSERT_EQ(panel->_PanelState(), psCollapsed);
    EXPECT_EQ(button.Name(CHILDID_SELF), "Déplier");
    Click(arrow, 4, 4);
    EXPECT_EQ(button.Name(CHILDID_SELF), "Replier");
  }
}

// TForm1: the components with their layout and settings, the script list and the selection.
#include "demo/d_Orvane0.h"

#include <filesystem>
#include <system_error>

#include "demo/DemoEditor.h"
#include "tools/qelrun/QelRunSource.h"

namespace {

constexpr char16_t SCaption[] = u"Qel-Tessaro: Orvane";
constexpr char16_t SFileNotFound[] = u"<File not found.>";
constexpr uint16_t VK_F9 = 120;

void SetCodeFont(TFont* AFont) {
  AFont->SetName(u"Courier New");
  AFont->SetHeight(-13);
}

// A listed script is a regular file (links followed) that is not hidden.
bool IsScriptFile(const std::filesystem::directory_entry& AEntry) {
  std::error_code error;
  const std::string name = AEntry.path().filename().string();
  return !name.empty() && name[0] != '.' && AEntry.is_regular_file(error);
}

}  // namespace

TForm1::TForm1(TComponent* AOwner, String AScriptsFolder) : TForm(AOwner), FScriptsFolder(std::move(AScriptsFolder)) {
  CreateComponents();
  QelApplication()->OnException = TExceptionEvent::Bind<&TForm1::ShowRunError>(this);
  OnCreate = TNotifyEvent::Bind<&TForm1::FormCreate>(this);
  // The components are made as a window description would make them; then OnCreate runs.
  Loaded();
}

TForm1::~TForm1() {
  if (Application && Application->OnException == TExceptionEvent::Bind<&TForm1::ShowRunError>(this))
    Application->OnException = nullptr;
  delete FDecor;
}

void TForm1::CreateComponents() {
  SetName(u"Form1");
  SetCaption(SCaption);
  SetClientWidth(732);
  SetClientHeight(527);
  SetPosition(poScreenCenter);
  GetFont()->SetName(u"Tahoma");
  GetFont()->SetHeight(-11);
  SetKeyPreview(true);
  OnKeyDown = TKeyEvent::Bind<&TForm1::FormKeyDown>(this);

  CreateImageList();
  // The bottom group is laid out from the window's edge in order of position: the status bar
  // lowest, the message pane above it, its splitter above that.
  StatusBar = new TStatusBar(this);
  StatusBar->SetName(u"StatusBar");
  StatusBar->SetParent(this);
  StatusBar->SetBounds(0, 508, 732, 19);
  StatusBar->SetSimplePanel(true);

  Messages = new TMemo(this);
  Messages->SetName(u"Messages");
  Messages->SetParent(this);
  Messages->SetBounds(0, 438, 732, 70);
  Messages->SetAlign(alBottom);
  Messages->SetScrollBars(ssVertical);
  SetCodeFont(Messages->GetFont());
  Messages->GetFont()->SetColor(clNavy);
  Messages->SetText(String());

  Splitter2 = new TSplitter(this);
  Splitter2->SetName(u"Splitter2");
  Splitter2->SetParent(this);
  Splitter2->SetAlign(alBottom);
  Splitter2->SetBounds(0, 433, 732, 5);
  Splitter2->SetBeveled(true);
  Splitter2->SetCursor(crVSplit);

  ListView = new TListView(this);
  ListView->SetName(u"ListView");
  ListView->SetParent(this);
  ListView->SetBounds(0, 0, 153, 433);
  ListView->SetAlign(alLeft);
  ListView->SetViewStyle(vsList);
  ListView->SetSortType(stText);
  ListView->SetHideSelection(false);
  ListView->SetSmallImages(ImageList1);
  ListView->OnSelectItem = TLVSelectItemEvent::Bind<&TForm1::ListViewSelectItem>(this);
  ListView->OnEditing = TLVEditingEvent::Bind<&TForm1::ListViewEditing>(this);

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(u"Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetBounds(153, 0, 5, 433);
  Splitter1->SetAlign(alLeft);
  Splitter1->SetBeveled(true);

  CreateEditorPanel();

  QelScriptControl = new TQelScriptControl(this);
  QelScriptControl->SetName(u"QelScriptControl");
}

void TForm1::CreateEditorPanel() {
  Panel1 = new TPanel(this);
  Panel1->SetName(u"Panel1");
  Panel1->SetParent(this);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetCaption(String());
  Panel1->SetAlign(alClient);

  Label1 = new TLabel(this);
  Label1->SetName(u"Label1");
  Label1->SetParent(Panel1);
  Label1->SetBounds(6, 4, 120, 13);
  Label1->SetCaption(u"Script source code:");
  Label1->GetFont()->SetColor(clNavy);

  // Laid out on the panel's size as the window opens; the anchors keep the places after.
  const int width = Panel1->GetClientWidth(), height = Panel1->GetClientHeight();
  Memo = new TMemo(this);
  Memo->SetName(u"Memo");
  Memo->SetParent(Panel1);
  Memo->SetBounds(0, 22, width, height - 50);
  Memo->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  Memo->SetScrollBars(ssBoth);
  Memo->SetWordWrap(false);
  Memo->SetWantTabs(true);
  SetCodeFont(Memo->GetFont());
  Memo->SetText(String());
  FDecor = new TQelEditorDecor(Memo);

  Button1 = new TButton(this);
  Button1->SetName(u"Button1");
  Button1->SetParent(Panel1);
  Button1->SetBounds(8, 409, 88, 25);
  Button1->SetAnchors(TAnchors{akLeft, akBottom});
  Button1->SetCaption(u"Run script (F9)");
  Button1->OnClick = TNotifyEvent::Bind<&TForm1::Button1Click>(this);
}

// One picture for every entry: a small page of script text.
void TForm1::CreateImageList() {
  ImageList1 = new TImageList(this);
  ImageList1->SetName(u"ImageList1");
  TBitmap page(16, 16);
  TCanvas* canvas = page.GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect({0, 0, 16, 16});
  canvas->GetPen()->SetColor(clGray);
  canvas->GetBrush()->SetColor(clWhite);
  canvas->Rectangle(2, 1, 14, 15);
  canvas->MoveTo(10, 1);
  canvas->LineTo(13, 4);
  canvas->GetPen()->SetColor(clNavy);
  for (int y = 5; y <= 11; y += 2) {
    canvas->MoveTo(4, y);
    canvas->LineTo(y == 11 ? 8 : 11, y);
  }
  ImageList1->AddMasked(&page, clFuchsia);
}

void TForm1::FormCreate(TObject*) { FillScriptList(); }

String TForm1::ScriptsFolder() const {
  if (!FScriptsFolder.empty()) return FScriptsFolder;
  std::error_code error;
  return Utf8ToString(std::filesystem::current_path(error).string()) + u"/scripts";
}

String TForm1::GetScriptFileName(const String& AFileName) const { return ScriptsFolder() + u"/" + AFileName; }

// The window runs a .vbs file as the VB dialect (qelrun runs it with the VBScript engine).
TQelScriptLanguage TForm1::GetLanguageByExt(const String& AFileName) {
  const TQelScriptLanguage language = QelScriptLanguageOfFile(AFileName);
  return language == slVBScript ? slNativeVb : language;
}

void TForm1::FillScriptList() {
  std::error_code error;
  std::filesystem::directory_iterator files(StringToUtf8(ScriptsFolder()), error);
  for (; !error && files != std::filesystem::directory_iterator(); files.increment(error)) {
    if (!IsScriptFile(*files)) continue;
    TListItem* item = ListView->GetItems()->Add();
    item->SetCaption(Utf8ToString(files->path().filename().string()));
    item->SetImageIndex(0);
  }
  ListView->AlphaSort();
  if (ListView->GetItems()->GetCount() > 0) ListView->GetItems()->GetItem(0)->SetSelected(true);
}

void TForm1::ListViewSelectItem(TObject*, TListItem* Item, bool Selected) {
  if (!Selected || !Item) return;
  const String path = GetScriptFileName(Item->GetCaption());
  FCurLang = GetLanguageByExt(Item->GetCaption());
  std::error_code error;
  const std::optional<String> text = std::filesystem::exists(StringToUtf8(path), error)
                                         ? QelReadScriptFile(StringToUtf8(path))
                                         : std::nullopt;
  Memo->SetText(text ? *text : String(SFileNotFound));
}

void TForm1::ListViewEditing(TObject*, TListItem*, bool& AllowEdit) { AllowEdit = false; }

void TForm1::FormKeyDown(TObject*, uint16_t& Key, TShiftState) {
  if (Key == VK_F9) Button1Click(this);
}

int TForm1::GetErrorLine() const { return FDecor->MarkedLine(); }

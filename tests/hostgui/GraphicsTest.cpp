// Graphics in C++: drawing on bitmaps, files, change notifications.
#include <QDir>
#include <filesystem>

#include "host/gui/Graphics.h"
#include "tests/hostgui/GuiTestKit.h"

namespace {

class GraphicsTest : public GuiScriptTest {};

TEST_F(GraphicsTest, PngAndBmpRoundTripKeepTheirPixels) {
  for (const char* name : {"round_trip.png", "round_trip.bmp"}) {
    TBitmap bitmap;
    bitmap.SetSize(8, 4);
    TCanvas* canvas = bitmap.GetCanvas();
    canvas->GetBrush()->SetColor(clNavy);
    canvas->FillRect(Rect(0, 0, 4, 4));
    canvas->SetPixels(7, 3, clYellow);
    const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
    bitmap.SaveToFile(Utf8ToString(file.string()));
    TPicture picture;
    picture.LoadFromFile(Utf8ToString(file.string()));
    std::filesystem::remove(file);
    auto* loaded = dynamic_cast<TBitmap*>(picture.GetGraphic());
    ASSERT_NE(loaded, nullptr) << name;
    EXPECT_EQ(loaded->GetWidth(), 8);
    EXPECT_EQ(loaded->GetHeight(), 4);
    EXPECT_EQ(loaded->GetCanvas()->GetPixels(1, 1), clNavy) << name;
    EXPECT_EQ(loaded->GetCanvas()->GetPixels(7, 3), clYellow) << name;
    EXPECT_EQ(loaded->GetCanvas()->GetPixels(6, 0), clWhite) << name;
  }
}

TEST_F(GraphicsTest, LoadingAMissingOrBrokenFileRaises) {
  TBitmap bitmap;
  EXPECT_THROW(bitmap.LoadFromFile(u"/nonexistent/none.png"), ExceptionPtr);
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "broken.png";
  FILE* out = std::fopen(file.c_str(), "wb");
  std::fputs("not an image", out);
  std::fclose(out);
  try {
    bitmap.LoadFromFile(Utf8ToString(file.string()));
    ADD_FAILURE() << "no exception";
  } catch (const ExceptionPtr& error) {
    EXPECT_TRUE(error->Is<EInvalidGraphic>());
  }
  std::filesystem::remove(file);
  TPicture picture;
  EXPECT_THROW(picture.LoadFromFile(u"picture.unknownext"), ExceptionPtr);
}

TEST_F(GraphicsTest, ShapesFillInsideAndOutlineWithThePen) {
  TBitmap bitmap;
  bitmap.SetSize(20, 20);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetPen()->SetColor(clRed);
  canvas->GetBrush()->SetColor(clLime);
  canvas->Rectangle(2, 2, 12, 12);
  EXPECT_EQ(canvas->GetPixels(2, 2), clRed);
  EXPECT_EQ(canvas->GetPixels(11, 11), clRed);
  EXPECT_EQ(canvas->GetPixels(12, 12), clWhite);
  EXPECT_EQ(canvas->GetPixels(6, 6), clLime);
  canvas->MoveTo(0, 19);
  canvas->LineTo(19, 19);
  EXPECT_EQ(canvas->GetPixels(10, 19), clRed);
  EXPECT_EQ(canvas->GetPenPos(), Point(19, 19));
  EXPECT_EQ(canvas->GetPixels(-1, 0), -1);
  EXPECT_GT(canvas->TextWidth(u"Hello"), canvas->TextWidth(u"H"));
}

TEST_F(GraphicsTest, FontPenAndBrushTellTheirChanges) {
  int changes = 0;
  TFont font;
  font.OnChange = [&](TObject*) { ++changes; };
  font.SetSize(12);
  font.SetSize(12);  // unchanged: no notification
  font.SetStyle({fsBold});
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(font.GetHeight(), -16);
  TPen pen;
  pen.OnChange = [&](TObject*) { ++changes; };
  pen.SetWidth(3);
  EXPECT_EQ(changes, 3);
}

TEST_F(GraphicsTest, SystemColoursMapToTheFixedScheme) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToString(clBtnFace), u"clBtnFace");
  EXPECT_EQ(StringToColor(u"clLime"), clLime);
  EXPECT_EQ(ColorToString(0x123456), u"$00123456");
}

}  // namespace

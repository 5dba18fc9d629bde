// Readers at their block boundaries, binary readers given corrupt lengths, and message
// managers whose listeners subscribe and unsubscribe while a message is being sent.
#include <gtest/gtest.h>

#include "host/core/ClassesText.h"
#include "host/core/Messaging.h"

namespace {

struct TBoundaryCase {
  const char* Name;
  const char* Character;  // UTF-8, or the start of a character
};

void PrintTo(const TBoundaryCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class ReaderBoundary : public testing::TestWithParam<TBoundaryCase> {};

// The reader decodes 4096-byte blocks: a character of every length, starting at each byte that
// puts it across a block's end, comes out as decoding the whole line at once gives it (a cut
// one as the same replacement characters).
TEST_P(ReaderBoundary, CharacterAcrossBlockEndComesOutWhole) {
  const TBoundaryCase& c = GetParam();
  for (size_t prefix = 4090; prefix <= 4096; ++prefix) {
    auto* stream = new TMemoryStream();
    const std::string line = std::string(prefix, 'a') + c.Character;
    const std::string bytes = line + "\nnext";
    stream->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream->SetPosition(0);
    TStreamReader reader(stream, true);
    EXPECT_EQ(reader.ReadLine(), Utf8ToString(line)) << "prefix " << prefix;
    EXPECT_EQ(reader.ReadLine(), u"next") << "prefix " << prefix;
    EXPECT_TRUE(reader.GetEndOfStream());
  }
}

INSTANTIATE_TEST_SUITE_P(Characters, ReaderBoundary,
                         testing::Values(TBoundaryCase{"TwoBytes", "\xC3\xA9"},
                                         TBoundaryCase{"ThreeBytes", "\xE2\x82\xAC"},
                                         TBoundaryCase{"FourBytes", "\xF0\x9F\x98\x80"},
                                         TBoundaryCase{"CutCharacter", "\xE2\x82"}),
                         [](const testing::TestParamInfo<TBoundaryCase>& AInfo) {
                           return AInfo.param.Name;
                         });

TEST(Readers, ReaderOfAFreedStreamIsAtItsEnd) {
  auto* stream = new TStringStream(u"one\ntwo");
  TStreamReader reader(stream);
  EXPECT_EQ(reader.ReadLine(), u"one");
  delete stream;
  reader.DiscardBufferedData();
  EXPECT_EQ(reader.Peek(), -1);
  EXPECT_EQ(reader.ReadToEnd(), u"");
}

TEST(Readers, WriterOfAFreedStreamRaises) {
  auto* stream = new TMemoryStream();
  TStreamWriter writer(stream);
  writer.Write(u"kept");
  delete stream;  // its buffered text has nowhere to go
  EXPECT_THROW(writer.Write(u"x"), ExceptionPtr);
}

TEST(Readers, CorruptStringLengthRaisesWithoutReadingOn) {
  for (int32_t length : {0x7FFFFFFF, 200, -1}) {
    TMemoryStream stream;
    TBinaryWriter writer(&stream);
    writer.Write7BitEncodedInt(length);
    writer.WriteValue<uint8_t>(65);
    stream.SetPosition(0);
    TBinaryReader reader(&stream);
    try {
      reader.ReadString();
      ADD_FAILURE() << "length " << length << " was read";
    } catch (const ExceptionPtr& AError) {
      EXPECT_TRUE(AError->InheritsFrom(EReadError::StaticClass())) << "length " << length;
    }
  }
}

// ---- messages ------------------------------------------------------------------------------

class Messages : public testing::Test {
 protected:
  TMessageManager FManager;
  std::u16string FLog;
  int32_t FSecond = 0;

  TMessageListenerMethod Logger(std::u16string AName) {
    return [this, AName](TObject*, TMessageBase* AMessage) {
      FLog += AName + u":" + static_cast<TMessage*>(AMessage)->GetValue() + u" ";
    };
  }
  void Send(const char16_t* AText) { FManager.SendMessage(nullptr, new TMessage(AText)); }
};

TEST_F(Messages, ListenerRemovedDuringSendIsNotCalled) {
  FManager.SubscribeToMessage(TMessage::StaticClass(), [this](TObject*, TMessageBase*) {
    FLog += u"first ";
    FManager.Unsubscribe(TMessage::StaticClass(), FSecond);
  });
  FSecond = FManager.SubscribeToMessage(TMessage::StaticClass(), Logger(u"second"));
  Send(u"a");
  Send(u"b");
  EXPECT_EQ(FLog, u"first first ");
  EXPECT_EQ(FManager.GetSubscriptionCount(TMessage::StaticClass()), 1);
}

TEST_F(Messages, ListenerAddedDuringSendHearsTheNextMessage) {
  bool added = false;
  FManager.SubscribeToMessage(TMessage::StaticClass(), [&](TObject*, TMessageBase*) {
    if (!added) FManager.SubscribeToMessage(TMessage::StaticClass(), Logger(u"late"));
    added = true;
  });
  Send(u"a");
  EXPECT_EQ(FLog, u"");
  Send(u"b");
  EXPECT_EQ(FLog, u"late:b ");
}

// A message that tells when it is freed (it answers to its parent's class).
struct TTrackedMessage : TMessage {
  explicit TTrackedMessage(bool& AFreed) : TMessage(u"tracked"), FFreed(AFreed) {}
  ~TTrackedMessage() override { FFreed = true; }
  bool& FFreed;
};

TEST_F(Messages, MessageIsFreedWhenAListenerRaisesAndTheManagerGoesOn) {
  FManager.SubscribeToMessage(TMessage::StaticClass(),
                              [](TObject*, TMessageBase*) { throw ExceptionPtr(new EAbort()); });
  bool freed = false;
  EXPECT_THROW(FManager.SendMessage(nullptr, new TTrackedMessage(freed)), ExceptionPtr);
  EXPECT_TRUE(freed);
  // Unsubscribing after the failed send takes effect (the send's bookkeeping was undone).
  FManager.Unsubscribe(TMessage::StaticClass(), 1);
  FManager.SubscribeToMessage(TMessage::StaticClass(), Logger(u"other"));
  Send(u"a");
  EXPECT_EQ(FLog, u"other:a ");
}

TEST_F(Messages, KeptMessageIsNotFreed) {
  bool freed = false;
  auto* message = new TTrackedMessage(freed);
  FManager.SubscribeToMessage(TMessage::StaticClass(), Logger(u"x"));
  FManager.SendMessage(nullptr, message, false);
  EXPECT_FALSE(freed);
  EXPECT_EQ(FLog, u"x:tracked ");
  message->Free();
  EXPECT_TRUE(freed);
}

}  // namespace

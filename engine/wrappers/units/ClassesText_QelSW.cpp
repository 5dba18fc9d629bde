// The "Classes" unit wrapper, readers and writers: text readers and writers over strings,
// streams and files, and binary readers and writers.
#include "engine/wrappers/units/Classes_QelSW.h"

namespace {

// A reader or writer is made over a stream object or, given a text, over that file.
TStream* SourceStream(const VARIANT& ASource) {
  auto* stream = static_cast<TStream*>(VarToObject(ASource, TStream::StaticClass()));
  if (!stream) throw ExceptionPtr(new EArgumentNilException(u"Stream must not be nil"));
  return stream;
}
bool IsFileName(const VARIANT& ASource) { return QelDeref(ASource).vt == VT_BSTR; }

TStringReader* NewStringReader(TClass, std::u16string_view AText) {
  return new TStringReader(AText);
}
TStreamReader* NewStreamReader(TClass, const VARIANT& ASource) {
  return IsFileName(ASource) ? new TStreamReader(QelVarToString(ASource))
                             : new TStreamReader(SourceStream(ASource));
}
TStringWriter* NewStringWriter(TClass) { return new TStringWriter(); }
TStreamWriter* NewStreamWriter(TClass, const VARIANT& ATarget, bool AAppend) {
  return IsFileName(ATarget) ? new TStreamWriter(QelVarToString(ATarget), AAppend)
                             : new TStreamWriter(SourceStream(ATarget));
}
TBinaryReader* NewBinaryReader(TClass, const VARIANT& ASource) {
  return IsFileName(ASource) ? new TBinaryReader(QelVarToString(ASource))
                             : new TBinaryReader(SourceStream(ASource));
}
TBinaryWriter* NewBinaryWriter(TClass, const VARIANT& ATarget, bool AAppend) {
  return IsFileName(ATarget) ? new TBinaryWriter(QelVarToString(ATarget), AAppend)
                             : new TBinaryWriter(SourceStream(ATarget));
}

void WriteValue(TTextWriter* AWriter, const VARIANT& AValue) {
  AWriter->Write(QelValueText(AValue));
}
void WriteLineValue(TTextWriter* AWriter, const VARIANT& AValue) {
  AWriter->WriteLine(QelValueText(AValue));
}
void WriteEmptyLine(TTextWriter* AWriter) { AWriter->WriteLine(u""); }

// Each value in the width of its variant type; a script's integers are 32-bit.
void WriteBinary(TBinaryWriter* AWriter, const VARIANT& AValue) {
  const VARIANT& v = QelDeref(AValue);
  switch (v.vt) {
    case VT_BOOL: return AWriter->WriteValue<uint8_t>(v.boolVal != VARIANT_FALSE);
    case VT_UI1: return AWriter->WriteValue(v.bVal);
    case VT_I1: return AWriter->WriteValue(static_cast<int8_t>(v.cVal));
    case VT_I2: return AWriter->WriteValue(v.iVal);
    case VT_UI2: return AWriter->WriteValue(v.uiVal);
    case VT_I4:
    case VT_INT: return AWriter->WriteValue<int32_t>(v.lVal);
    case VT_UI4:
    case VT_UINT: return AWriter->WriteValue<uint32_t>(v.ulVal);
    case VT_I8: return AWriter->WriteValue<int64_t>(v.llVal);
    case VT_UI8: return AWriter->WriteValue<uint64_t>(v.ullVal);
    case VT_R4: return AWriter->WriteValue(v.fltVal);
    case VT_R8: return AWriter->WriteValue(v.dblVal);
    case VT_DATE: return AWriter->WriteValue(v.date);
    case VT_CY: return AWriter->WriteValue<int64_t>(v.cyVal.int64);
    default: return AWriter->WriteString(QelVarToString(v));
  }
}

template <class T>
T ReadOf(TBinaryReader* AReader) {
  return AReader->ReadValue<T>();
}

}  // namespace

void TTextReader_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTextReader> M(AData);
  M.Method<&TTextReader::Close>(u"Close");
  M.Method<&TTextReader::Peek>(u"Peek");
  M.Method<&TTextReader::Read>(u"Read");
  M.Method<&TTextReader::ReadLine>(u"ReadLine");
  M.Method<&TTextReader::ReadToEnd>(u"ReadToEnd");
  M.Method<&TTextReader::Rewind>(u"Rewind");
}

void TStringReader_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStringReader>(AData).Constructor<&NewStringReader>();
}

void TStreamReader_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStreamReader> M(AData);
  M.Constructor<&NewStreamReader>();
  M.Property<&TStreamReader::GetEndOfStream>(u"EndOfStream");
  M.Property<&TStreamReader::GetBaseStream>(u"BaseStream");
  M.Method<&TStreamReader::DiscardBufferedData>(u"DiscardBufferedData");
  M.Method<&TStreamReader::OwnStream>(u"OwnStream");
}

void TTextWriter_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTextWriter> M(AData);
  M.Method<&TTextWriter::Close>(u"Close");
  M.Method<&TTextWriter::Flush>(u"Flush");
  M.Method<&WriteValue>(u"Write");
  M.Overloads<u"WriteLine", &WriteEmptyLine, &WriteLineValue>();
  M.Property<&TTextWriter::GetNewLine, &TTextWriter::SetNewLine>(u"NewLine");
}

void TStringWriter_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStringWriter> M(AData);
  M.Constructor<&NewStringWriter>();
  M.Method<&TStringWriter::ToString>(u"ToString");
}

void TStreamWriter_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStreamWriter> M(AData);
  M.Constructor<&NewStreamWriter, QelDefaults<false>>();
  M.Property<&TStreamWriter::GetAutoFlush, &TStreamWriter::SetAutoFlush>(u"AutoFlush");
  M.Property<&TStreamWriter::GetBaseStream>(u"BaseStream");
  M.Method<&TStreamWriter::OwnStream>(u"OwnStream");
}

void TBinaryReader_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBinaryReader> M(AData);
  M.Constructor<&NewBinaryReader>();
  M.Method<&TBinaryReader::Close>(u"Close");
  M.Property<&TBinaryReader::GetBaseStream>(u"BaseStream");
  M.Method<&TBinaryReader::ReadBoolean>(u"ReadBoolean");
  M.Method<&ReadOf<uint8_t>>(u"ReadByte");
  M.Method<&TBinaryReader::ReadChar>(u"ReadChar");
  M.Method<&TBinaryReader::PeekChar>(u"PeekChar");
  M.Method<&ReadOf<double>>(u"ReadDouble");
  M.Method<&ReadOf<int16_t>>(u"ReadInt16");
  M.Method<&ReadOf<int32_t>>(u"ReadInt32");
  M.Method<&ReadOf<int64_t>>(u"ReadInt64");
  M.Method<&ReadOf<int32_t>>(u"ReadInteger");
  M.Method<&ReadOf<int8_t>>(u"ReadSByte");
  M.Method<&ReadOf<int8_t>>(u"ReadShortInt");
  M.Method<&ReadOf<int16_t>>(u"ReadSmallInt");
  M.Method<&ReadOf<float>>(u"ReadSingle");
  M.Method<&TBinaryReader::ReadString>(u"ReadString");
  M.Method<&ReadOf<uint16_t>>(u"ReadUInt16");
  M.Method<&ReadOf<uint32_t>>(u"ReadUInt32");
  M.Method<&ReadOf<uint64_t>>(u"ReadUInt64");
  M.Method<&ReadOf<uint16_t>>(u"ReadWord");
  M.Method<&ReadOf<uint32_t>>(u"ReadCardinal");
}

void TBinaryWriter_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBinaryWriter> M(AData);
  M.Constructor<&NewBinaryWriter, QelDefaults<false>>();
  M.Method<&TBinaryWriter::Close>(u"Close");
  M.Property<&TBinaryWriter::GetBaseStream>(u"BaseStream");
  M.Method<&TBinaryWriter::Seek>(u"Seek");
  M.Method<&WriteBinary>(u"Write");
}

// The calls the JScript engine's helpers make into the host.
#include <cstdio>

#include "engines/jscript/JsRuntime.h"

namespace {

TJsHostObject* HostOf(const QJSValue& ATarget) { return qobject_cast<TJsHostObject*>(ATarget.toQObject()); }

std::string Utf8(const QString& AText) { return AText.toStdString(); }

// A name of digits: an index of the default property.
bool IsIndex(const QString& AName, int& AIndex) {
  bool ok = false;
  AIndex = AName.toInt(&ok);
  return ok;
}

constexpr int32_t CDefaultMember = 0;

}  // namespace

QJSValue TJsBridge::read(const QJSValue& ATarget, const QString& AName) {
  TJsHostObject* host = HostOf(ATarget);
  if (!host) return QJSValue();
  TQelBError error;
  TQelBValue value;
  if (int index; IsIndex(AName, index)) {
    TQelBValue arg;
    arg.SetInteger(index);
    if (!QelBInvoke(host->Object(), CDefaultMember, bcGet, &arg, 1, &value, error)) return FRuntime.Throw(error);
    return FRuntime.ToJs(value);
  }
  TQelBMember member;
  if (!QelBFindMember(host->Object(), Utf8(AName), member)) return QJSValue();
  switch (QelBReadMember(host->Object(), member, value, error)) {
    case brValue: return FRuntime.ToJs(value);
    case brMethod: return FRuntime.MethodFunction(ATarget, member.Id);
    case brIndexed: return FRuntime.Indexer(ATarget, member.Id);
    case brFailed: break;
  }
  return FRuntime.Throw(error);
}

bool TJsBridge::write(const QJSValue& ATarget, const QString& AName, const QJSValue& AValue) {
  TJsHostObject* host = HostOf(ATarget);
  if (!host) return false;
  TQelBError error;
  TQelBValue args[2];
  int index = 0;
  const bool isIndex = IsIndex(AName, index);
  TQelBMember member;
  if (isIndex) {
    member.Id = CDefaultMember;
    args[0].SetInteger(index);
  } else if (!QelBFindMember(host->Object(), Utf8(AName), member)) {
    error.Message = "Unknown name: '" + Utf8(AName) + "'";
    FRuntime.Throw(error);
    return true;
  }
  TQelBValue& value = args[isIndex ? 1 : 0];
  if (!FRuntime.FromJs(AValue, value, error)) {
    FRuntime.Throw(error);
    return true;
  }
  const auto flags = static_cast<TQelBCall>(value.Kind() == bvObject ? bcPut | bcPutRef : bcPut);
  if (!QelBInvoke(host->Object(), member.Id, flags, args, isIndex ? 2 : 1, nullptr, error)) FRuntime.Throw(error);
  return true;
}

bool TJsBridge::has(const QJSValue& ATarget, const QString& AName) {
  TJsHostObject* host = HostOf(ATarget);
  TQelBMember member;
  return host && QelBFindMember(host->Object(), Utf8(AName), member);
}

QJSValue TJsBridge::call(const QJSValue& ATarget, int AId, int AFlags, const QJSValue& AArgs) {
  TJsHostObject* host = HostOf(ATarget);
  if (!host) return QJSValue();
  const int count = AArgs.property(QStringLiteral("length")).toInt();
  std::vector<TQelBValue> args(static_cast<size_t>(count));
  TQelBError error;
  for (int i = 0; i < count; ++i)
    if (!FRuntime.FromJs(AArgs.property(static_cast<quint32>(i)), args[static_cast<size_t>(i)], error))
      return FRuntime.Throw(error);
  TQelBValue result;
  auto flags = static_cast<TQelBCall>(AFlags);
  if (flags == bcPut && count > 0 && args.back().Kind() == bvObject) flags = static_cast<TQelBCall>(bcPut | bcPutRef);
  if (!QelBInvoke(host->Object(), AId, flags, args.data(), static_cast<unsigned>(count),
                  flags == bcPut || flags == (bcPut | bcPutRef) ? nullptr : &result, error))
    return FRuntime.Throw(error);
  return FRuntime.ToJs(result);
}

bool TJsBridge::hasGlobal(const QString& AName) {
  TQelBObject* object = nullptr;
  TQelBMember member;
  return FRuntime.GlobalMembers().Find(Utf8(AName), object, member);
}

QJSValue TJsBridge::readGlobal(const QString& AName) {
  TQelBObject* object = nullptr;
  TQelBMember member;
  if (!FRuntime.GlobalMembers().Find(Utf8(AName), object, member)) return QJSValue();
  TQelBValue value;
  TQelBError error;
  const QJSValue target = FRuntime.Wrap(object).property(QStringLiteral("__qelTarget"));
  switch (QelBReadMember(object, member, value, error)) {
    case brValue: return FRuntime.ToJs(value);
    case brMethod: return FRuntime.MethodFunction(target, member.Id);
    case brIndexed: return FRuntime.Indexer(target, member.Id);
    case brFailed: break;
  }
  return FRuntime.Throw(error);
}

bool TJsBridge::writeGlobal(const QString& AName, const QJSValue& AValue) {
  TQelBObject* object = nullptr;
  TQelBMember member;
  if (!FRuntime.GlobalMembers().Find(Utf8(AName), object, member) ||
      (member.Kind != bmProperty && member.Kind != bmUnknown))
    return false;
  TQelBValue value;
  TQelBError error;
  if (!FRuntime.FromJs(AValue, value, error) || !QelBInvoke(object, member.Id, bcPut, &value, 1, nullptr, error))
    FRuntime.Throw(error);
  return true;
}

void TJsBridge::print(const QString& AText) {
  const std::string text = Utf8(AText) + '\n';
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// The JScript engine: one QJSEngine per engine. Host objects are JavaScript Proxies over a
// QObject that holds the host object; the global object's prototype is a Proxy that answers the
// names of global-members objects (reads, and writes of their properties, so a named value is a
// plain variable). Errors carry the line V4 reports; V4 gives no column, so an error points at the
// first character of its line. V4 compiles a program only when it runs it: a syntax error in the
// global code is reported when the engine starts, not when the code is parsed.
#include "engines/jscript/JsRuntime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cmath>
#include <cstdlib>

#include "engines/jscript/JsEngine.h"

namespace {

constexpr char CScriptFile[] = "script";
constexpr char CEvalFile[] = "eval";
constexpr double COleEpochDays = 25569.0;  // 1970-01-01 as an OLE date
constexpr double CMsPerDay = 86400000.0;

constexpr char CHelpers[] = R"JS((function (bridge, global) {
  const handler = {
    get(target, name) {
      if (name === '__qelTarget') return target;
      if (typeof name === 'symbol') return undefined;
      return bridge.read(target, name);
    },
    set(target, name, value) { return typeof name === 'string' && bridge.write(target, name, value); },
    has(target, name) { return typeof name === 'string' && bridge.has(target, name); }
  };
  const key = (name) => (/^-?\d+$/.test(name) ? Number(name) : name);
  const wrap = (target) => new Proxy(target, handler);
  const method = (target, id) => function (...args) { return bridge.call(target, id, 1, args); };
  const indexer = (target, id) => new Proxy({}, {
    get(t, name) { return typeof name === 'symbol' ? undefined : bridge.call(target, id, 2, [key(name)]); },
    set(t, name, value) { bridge.call(target, id, 4, [key(name), value]); return true; }
  });
  Object.setPrototypeOf(global, new Proxy(Object.create(null), {
    has(t, name) { return typeof name === 'string' && bridge.hasGlobal(name); },
    get(t, name) { return typeof name === 'symbol' ? undefined : bridge.readGlobal(name); },
    set(t, name, value, receiver) {
      if (typeof name === 'string' && typeof value !== 'function' && bridge.writeGlobal(name, value)) return true;
      Object.defineProperty(receiver, name, { value: value, writable: true, enumerable: true, configurable: true });
      return true;
    }
  }));
  global.print = function (...args) { bridge.print(args.join(' ')); };
  return [wrap, method, indexer];
}))JS";

// V4 guards its native stack by addresses taken on the thread that made the engine; an engine
// entered from other threads must count calls instead. QJSEngine also needs an application
// object: a console host has none, so the first engine makes one for the process.
void PrepareQt() {
  if (!std::getenv("QV4_MAX_CALL_DEPTH")) setenv("QV4_MAX_CALL_DEPTH", "1000", 0);
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "qel";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* application = new QCoreApplication(argc, argv);
  (void)application;
}

}  // namespace

TJsRuntime::TJsRuntime() {
  PrepareQt();
  FEngine = std::make_unique<QJSEngine>();
  QJSEngine::setObjectOwnership(&FBridge, QJSEngine::CppOwnership);  // a member, not the collector's
  QJSValue make = FEngine->evaluate(QString::fromUtf8(CHelpers));
  QJSValue helpers = make.call({FEngine->newQObject(&FBridge), FEngine->globalObject()});
  FWrap = helpers.property(0);
  FMethod = helpers.property(1);
  FIndexer = helpers.property(2);
}

TJsRuntime::~TJsRuntime() {
  FWrapped.clear();
  FWrap = FMethod = FIndexer = QJSValue();
  FEngine.reset();
}

void TJsRuntime::Interrupt() {
  FAborted = true;
  FEngine->setInterrupted(true);
}

bool TJsRuntime::Aborted(TQelBScriptError& AError) {
  if (!FAborted) return false;
  AError.Description = QelBAbortMessage;
  AError.Aborted = true;
  return true;
}

QJSValue TJsRuntime::Wrap(TQelBObject* AObject) {
  if (!AObject) return QJSValue(QJSValue::NullValue);
  auto known = FWrapped.find(AObject);
  if (known != FWrapped.end()) return known->second;
  QJSValue proxy = FWrap.call({FEngine->newQObject(new TJsHostObject(AObject))});
  FWrapped.emplace(AObject, proxy);
  return proxy;
}

QJSValue TJsRuntime::MethodFunction(const QJSValue& ATarget, int32_t AId) { return FMethod.call({ATarget, AId}); }

QJSValue TJsRuntime::Indexer(const QJSValue& ATarget, int32_t AId) { return FIndexer.call({ATarget, AId}); }

QJSValue TJsRuntime::Throw(const TQelBError& AError) {
  QJSValue error = FEngine->newErrorObject(QJSValue::GenericError, QString::fromStdString(AError.Message));
  error.setProperty(QStringLiteral("qelHostCode"), AError.Code);
  FEngine->throwError(error);
  return QJSValue();
}

QJSValue TJsRuntime::ToJs(const TQelBValue& AValue) {
  switch (AValue.Kind()) {
    case bvEmpty: return QJSValue();
    case bvNull: return QJSValue(QJSValue::NullValue);
    case bvBoolean: return QJSValue(AValue.AsBoolean());
    case bvInteger: {
      const int64_t value = AValue.AsInteger();
      return value >= INT32_MIN && value <= INT32_MAX ? QJSValue(static_cast<int>(value))
                                                       : QJSValue(static_cast<double>(value));
    }
    case bvDouble: return QJSValue(AValue.AsDouble());
    case bvDate: {
      const auto ms = static_cast<qint64>(std::llround((AValue.AsDouble() - COleEpochDays) * CMsPerDay));
      return FEngine->toScriptValue(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    }
    case bvString: {
      const std::u16string_view text = AValue.StringView();
      return QJSValue(QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
    }
    case bvObject: return Wrap(AValue.Object());
    case bvArray: {
      const int count = AValue.ArrayCount();
      QJSValue array = FEngine->newArray(static_cast<uint>(count));
      TQelBValue element;
      for (int i = 0; i < count; ++i) {
        AValue.ArrayGet(i, element);
        array.setProperty(static_cast<quint32>(i), ToJs(element));
      }
      return array;
    }
    case bvOther: return QJSValue(QString::fromStdString(AValue.AsUtf8()));
  }
  return QJSValue();
}

bool TJsRuntime::FromJs(const QJSValue& AValue, TQelBValue& AResult, TQelBError& AError) {
  if (AValue.isUndefined()) {
    AResult.SetEmpty();
  } else if (AValue.isNull()) {
    AResult.SetNull();
  } else if (AValue.isBool()) {
    AResult.SetBoolean(AValue.toBool());
  } else if (AValue.isNumber()) {
    const double number = AValue.toNumber();
    if (std::trunc(number) == number && std::fabs(number) <= 2147483647.0)
      AResult.SetInteger(static_cast<int64_t>(number));
    else
      AResult.SetDouble(number);
  } else if (AValue.isString()) {
    const QString text = AValue.toString();
    AResult.SetUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<size_t>(text.size())));
  } else if (AValue.isDate()) {
    AResult.SetDate(static_cast<double>(AValue.toDateTime().toMSecsSinceEpoch()) / CMsPerDay + COleEpochDays);
  } else if (AValue.isArray()) {
    const int count = AValue.property(QStringLiteral("length")).toInt();
    AResult.SetArray(count);
    for (int i = 0; i < count; ++i) {
      TQelBValue element;
      if (!FromJs(AValue.property(static_cast<quint32>(i)), element, AError)) return false;
      AResult.ArrayPut(i, std::move(element));
    }
  } else if (AValue.isObject()) {
    auto* host = qobject_cast<TJsHostObject*>(AValue.property(QStringLiteral("__qelTarget")).toQObject());
    if (!host) {
      AError.Message = "a JavaScript object cannot be passed to the host";
      return false;
    }
    AResult.SetObject(host->Object());
  } else {
    AError.Message = "this value cannot be passed to the host";
    return false;
  }
  return true;
}

bool TJsRuntime::Failed(const QJSValue& AError, TQelBScriptError& AFailure) {
  if (Aborted(AFailure)) return false;
  const QJSValue hostCode = AError.property(QStringLiteral("qelHostCode"));
  if (hostCode.isNumber()) {
    AFailure.Description = AError.property(QStringLiteral("message")).toString().toStdString();
    AFailure.Code = hostCode.toInt();
  } else {
    AFailure.Description = AError.toString().toStdString();
  }
  // V4 reports the file name as a URL ("file:script").
  std::string file = AError.property(QStringLiteral("fileName")).toString().toStdString();
  int line = AError.property(QStringLiteral("lineNumber")).toInt();  // from 1, the first line added
  if (file.empty() || line < 1) {
    // An error made by the host is positioned in the engine's helpers: the innermost frame of
    // the script's own code ("Main@file:script:10") in its stack tells where the script called.
    const QStringList frames = AError.property(QStringLiteral("stack")).toString().split(QLatin1Char('\n'));
    for (const QString& frame : frames) {
      const qsizetype at = frame.indexOf(QLatin1String("@file:"));
      const qsizetype colon = frame.lastIndexOf(QLatin1Char(':'));
      if (at < 0 || colon <= at + 5) continue;
      file = frame.mid(at + 1, colon - at - 1).toStdString();
      line = frame.mid(colon + 1).toInt();
      break;
    }
  }
  if (file.rfind("file:", 0) == 0) file.erase(0, 5);
  auto source = FSources.find(file);
  if (source == FSources.end() || line < 1) return false;
  AFailure.Line = line - 1;
  AFailure.Position = QelBLineStart(source->second.Text, AFailure.Line - source->second.StartLine);
  return false;
}

bool TJsRuntime::Run(const QString& AText, const char* AFile, int AStartLine, QJSValue& AResult,
                     TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  FSources[AFile] = {AText.toStdString(), AStartLine};
  AResult = FEngine->evaluate(AText, QString::fromLatin1(AFile), AStartLine + 1);
  if (AResult.isError() || FEngine->hasError()) {
    const QJSValue error = FEngine->hasError() ? FEngine->catchError() : AResult;
    return Failed(error, AError);
  }
  return true;
}

bool TJsRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError&) {
  FPending.emplace_back(QString::fromUtf8(ASource.data(), static_cast<qsizetype>(ASource.size())), AStartLine);
  return true;
}

bool TJsRuntime::RunCode(TQelBScriptError& AError) {
  while (!FPending.empty()) {
    auto [text, line] = std::move(FPending.front());
    FPending.erase(FPending.begin());
    QJSValue result;
    if (!Run(text, CScriptFile, line, result, AError)) return false;
  }
  return true;
}

bool TJsRuntime::Execute(std::string_view AText, int AStartLine, bool, TQelBValue* AResult,
                         TQelBScriptError& AError) {
  QJSValue result;
  if (!Run(QString::fromUtf8(AText.data(), static_cast<qsizetype>(AText.size())), CEvalFile, AStartLine, result,
           AError))
    return false;
  TQelBError error;
  if (AResult && !FromJs(result, *AResult, error)) AResult->SetEmpty();
  return true;
}

void TJsRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  if (!AName.empty())
    FEngine->globalObject().setProperty(QString::fromUtf8(AName.data(), static_cast<qsizetype>(AName.size())),
                                        Wrap(AObject));
  if (AGlobalMembers) FGlobalMembers.Add(AObject);
}

TQelBGlobalKind TJsRuntime::FindGlobal(std::string_view AName) {
  const QString name = QString::fromUtf8(AName.data(), static_cast<qsizetype>(AName.size()));
  QJSValue global = FEngine->globalObject();
  if (!global.hasOwnProperty(name)) return bgNone;
  return global.property(name).isCallable() ? bgFunction : bgVariable;
}

bool TJsRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                            TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  QJSValue function =
      FEngine->globalObject().property(QString::fromUtf8(AName.data(), static_cast<qsizetype>(AName.size())));
  QJSValueList args;
  args.reserve(static_cast<qsizetype>(AArgCount));
  for (unsigned i = 0; i < AArgCount; ++i) args.append(ToJs(AArgs[i]));
  const QJSValue result = function.call(args);
  if (result.isError() || FEngine->hasError()) return Failed(FEngine->hasError() ? FEngine->catchError() : result, AError);
  TQelBError error;
  if (AResult && !FromJs(result, *AResult, error)) AResult->SetEmpty();
  return true;
}

bool TJsRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  TQelBError error;
  if (FromJs(FEngine->globalObject().property(QString::fromUtf8(AName.data(), static_cast<qsizetype>(AName.size()))),
             AResult, error))
    return true;
  AError.Description = error.Message;
  return false;
}

bool TJsRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError&) {
  FEngine->globalObject().setProperty(QString::fromUtf8(AName.data(), static_cast<qsizetype>(AName.size())),
                                      ToJs(AValue));
  return true;
}

namespace {
IQelBRuntime* NewJsRuntime() { return new TJsRuntime; }
}  // namespace

void QelRegisterJScriptEngine() { QelRegisterScriptEngine(u"JScript", NewJsRuntime); }

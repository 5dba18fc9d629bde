// The engine "JScript" on Qt's QJSEngine (JsRuntime.cpp, JsBridge.cpp).
#pragma once

#include <QJSEngine>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engines/jscript/JsBridge.h"

class TJsRuntime final : public IQelBRuntime {
 public:
  TJsRuntime();
  ~TJsRuntime() override;

  QEL_BRIDGE_RUNTIME_OVERRIDES;

  // For the bridge.
  QJSEngine& Engine() { return *FEngine; }
  QJSValue Wrap(TQelBObject* AObject);
  QJSValue ToJs(const TQelBValue& AValue);
  bool FromJs(const QJSValue& AValue, TQelBValue& AResult, TQelBError& AError);
  QJSValue MethodFunction(const QJSValue& ATarget, int32_t AId);
  QJSValue Indexer(const QJSValue& ATarget, int32_t AId);
  QJSValue Throw(const TQelBError& AError);
  TQelBGlobalMembers& GlobalMembers() { return FGlobalMembers; }

 private:
  struct TSource {
    std::string Text;
    int StartLine = 0;
  };
  bool Run(const QString& AText, const char* AFile, int AStartLine, QJSValue& AResult, TQelBScriptError& AError);
  bool Failed(const QJSValue& AError, TQelBScriptError& AFailure);
  bool Aborted(TQelBScriptError& AError);

  std::unique_ptr<QJSEngine> FEngine;
  TJsBridge FBridge{*this};
  QJSValue FWrap, FMethod, FIndexer;  // the JavaScript helpers
  std::unordered_map<TQelBObject*, QJSValue> FWrapped;  // one proxy per host object, until close
  std::vector<std::pair<QString, int>> FPending;  // global code and its first line, not run yet
  std::map<std::string, TSource> FSources;
  TQelBGlobalMembers FGlobalMembers;
  std::atomic<bool> FAborted{false};
};

// The JScript engine's objects on the Qt side: the bridge the engine's JavaScript helpers call,
// and the QObject that holds one host object for its proxy. Only Qt's and the neutral bridge's
// headers are seen here.
#pragma once

#include <QJSEngine>
#include <QJSValue>
#include <QObject>

#include "engines/common/QelBridge.h"

// One host object as JavaScript sees it: the target of its Proxy. Owned by the JavaScript
// engine's collector; releases the host object when collected or when the engine goes.
class TJsHostObject final : public QObject {
  Q_OBJECT
 public:
  explicit TJsHostObject(TQelBObject* AObject) : FObject(AObject) { QelBAddRef(AObject); }
  ~TJsHostObject() override { QelBRelease(FObject); }
  TQelBObject* Object() const { return FObject; }

 private:
  TQelBObject* FObject;
};

class TJsRuntime;

// What the JavaScript helpers call: member reads, writes and calls of host objects, the
// global-members names, and print.
class TJsBridge final : public QObject {
  Q_OBJECT
 public:
  explicit TJsBridge(TJsRuntime& ARuntime) : FRuntime(ARuntime) {}

  // Member AName of the host object: its value, a function for a method, an indexer object for
  // an indexed property; a name made of digits reads the default property at that index.
  Q_INVOKABLE QJSValue read(const QJSValue& ATarget, const QString& AName);
  Q_INVOKABLE bool write(const QJSValue& ATarget, const QString& AName, const QJSValue& AValue);
  Q_INVOKABLE bool has(const QJSValue& ATarget, const QString& AName);
  // Calls member AId with AArgs (an array); AFlags: 1 method, 2 get, 4 put.
  Q_INVOKABLE QJSValue call(const QJSValue& ATarget, int AId, int AFlags, const QJSValue& AArgs);
  Q_INVOKABLE bool hasGlobal(const QString& AName);
  Q_INVOKABLE QJSValue readGlobal(const QString& AName);
  Q_INVOKABLE bool writeGlobal(const QString& AName, const QJSValue& AValue);
  Q_INVOKABLE void print(const QString& AText);

 private:
  TJsRuntime& FRuntime;
};

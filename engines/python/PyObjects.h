// The Python side of host objects: the types QelObject (a host object), QelMethod (a method
// bound to its object) and QelIndexer (an indexed property), host errors as the exception
// HostError, and the conversion of values both ways. Call everything with the GIL held.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "engines/common/QelBridge.h"

// Readies the types and HostError (once, with the GIL held).
bool QelPyInitObjects();
PyObject* QelPyHostError();  // borrowed
// A new reference to the object's one Python object (identity is kept); None for null.
PyObject* QelPyWrapObject(TQelBObject* AObject);
// A method of AObject callable without it (a global-members object's method).
PyObject* QelPyBoundMethod(TQelBObject* AObject, int32_t AId);
// New reference; null with a Python error set when the value cannot be made.
PyObject* QelPyFromValue(const TQelBValue& AValue);
// False with a Python error set for what the host cannot hold.
bool QelPyToValue(PyObject* AObject, TQelBValue& AValue);
// What reading a member gave, as a Python object (new reference), or null with an error set.
PyObject* QelPyMemberValue(TQelBObject* AObject, const TQelBMember& AMember);
// Sets HostError from a failed host call; returns null.
PyObject* QelPyRaise(const TQelBError& AError);

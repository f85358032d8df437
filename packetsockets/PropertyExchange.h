#pragma once
// Reading and writing a form's property by name, by the kind of its value,
// through Qt's meta-object system (Q_PROPERTY). Used for the server
// information dialog, which may be any form with Host, Address, Port or
// Service properties.
#include <QMetaProperty>
#include <QObject>
#include <QVariant>
#include <string>

namespace Zev {

// Integer kinds (integers, characters, booleans, enumerations and flags) read
// as an int; floating point truncated towards zero to an int; strings as a
// string. Any other kind: RaisePropertyNotSupported.
QVariant GetPropertyAsVariant(QObject &Instance, const QMetaProperty &PropInfo);
// Integer kinds take the value as an int, floating point as a double, strings
// as a string; a value that does not convert raises the conversion error.
void SetPropertyFromVariant(QObject &Instance, const QMetaProperty &PropInfo, const QVariant &Value);
// "このプロパティは扱えません. [Class::Name]"
[[noreturn]] void RaisePropertyNotSupported(const QObject &Instance, const std::string &PropName);

// The int a variant holds; text must be a decimal integer (StrToInt).
int VariantToInt(const QVariant &Value);

} // namespace Zev

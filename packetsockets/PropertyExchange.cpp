#include "packetsockets/PropertyExchange.h"

#include <cmath>

#include "packetsockets/IntegerText.h"
#include "platform/core/Exception.h"

namespace Zev {

namespace {
enum class Kind { Integer, Float, String, Unsupported };

Kind KindOf(const QMetaProperty &property) {
  if (property.isEnumType() || property.isFlagType())
    return Kind::Integer;
  switch (property.metaType().id()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Char:
  case QMetaType::SChar:
  case QMetaType::UChar:
  case QMetaType::Bool: return Kind::Integer;
  case QMetaType::Float:
  case QMetaType::Double: return Kind::Float;
  case QMetaType::QString:
  case QMetaType::QByteArray: return Kind::String;
  // Wide characters, 64-bit integers, pointers, lists, records and the rest.
  default: return Kind::Unsupported;
  }
}

double VariantToDouble(const QVariant &value) {
  bool ok = false;
  const double result = value.toDouble(&ok);
  if (!ok)
    throw platform::Exception("'" + value.toString().toStdString() + "' は有効な浮動小数点値ではありません.");
  return result;
}
} // namespace

void RaisePropertyNotSupported(const QObject &Instance, const std::string &PropName) {
  throw platform::Exception(std::string("このプロパティは扱えません. [") +
                            Instance.metaObject()->className() + "::" + PropName + "]");
}

int VariantToInt(const QVariant &Value) {
  if (Value.metaType().id() == QMetaType::QString || Value.metaType().id() == QMetaType::QByteArray)
    return StrToInt(Value.toString().toStdString());
  bool ok = false;
  const int result = Value.toInt(&ok);
  if (!ok)
    return StrToInt(Value.toString().toStdString());
  return result;
}

QVariant GetPropertyAsVariant(QObject &Instance, const QMetaProperty &PropInfo) {
  const QVariant value = PropInfo.read(&Instance);
  switch (KindOf(PropInfo)) {
  case Kind::Integer: return QVariant(value.toInt());
  case Kind::Float: return QVariant(static_cast<int>(std::trunc(value.toDouble())));
  case Kind::String: return QVariant(value.toString());
  case Kind::Unsupported: break;
  }
  RaisePropertyNotSupported(Instance, PropInfo.name());
}

void SetPropertyFromVariant(QObject &Instance, const QMetaProperty &PropInfo, const QVariant &Value) {
  QVariant converted;
  switch (KindOf(PropInfo)) {
  case Kind::Integer: converted = QVariant(VariantToInt(Value)); break;
  case Kind::Float: converted = QVariant(VariantToDouble(Value)); break;
  case Kind::String: converted = QVariant(Value.toString()); break;
  case Kind::Unsupported: RaisePropertyNotSupported(Instance, PropInfo.name());
  }
  PropInfo.write(&Instance, converted);
}

} // namespace Zev

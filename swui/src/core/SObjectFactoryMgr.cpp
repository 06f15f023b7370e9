#include "core/SObjectFactoryMgr.h"

#include <memory>

#include "core/SLog.h"
#include "core/SUiDef.h"
#include "base/SXmlMark.h"
#include "res.mgr/SObjDefAttr.h"

namespace SWUI {

namespace {

constexpr int kLogBufferChars = 2048;

void WarnMissing(const SObjectInfo& info) {
  SStringW text;
  text.Format(L"Warning: no ojbect %s of type:%d in SWUI!!", static_cast<LPCWSTR>(info.Name()),
              info.Type());
  if (text.GetLength() >= kLogBufferChars) text = text.Left(kLogBufferChars - 1);
  SStringA line = StringW2A(text, CP_ACP);
  SLog::Write(LOG_LEVEL_WARN, "swui", "src\\core\\SObjectFactory", 61,
              "SWUI::SObjectFactoryMgr::CreateObject", line);
}

}  // namespace

SObjectFactoryMgr::~SObjectFactoryMgr() {
  for (auto& entry : m_factories) delete entry.second;
}

BOOL SObjectFactoryMgr::RegisterFactory(const SObjectFactory& factory, BOOL bReplace) {
  SObjectInfo key = factory.GetObjectInfo();
  auto it = m_factories.find(key);
  if (it != m_factories.end() && !bReplace) return FALSE;
  // The copy is made first, so that a failed clone leaves a replaced entry in place.
  std::unique_ptr<SObjectFactory> copy(factory.Clone());
  if (!copy) return FALSE;
  if (it != m_factories.end()) {
    delete it->second;
    it->second = copy.release();
  } else {
    m_factories.emplace(key, copy.get());
    copy.release();
  }
  return TRUE;
}

BOOL SObjectFactoryMgr::UnregisterFactory(const SObjectInfo& info) {
  auto it = m_factories.find(info);
  if (it == m_factories.end()) return FALSE;
  SObjectFactory* factory = it->second;
  m_factories.erase(it);
  delete factory;
  return TRUE;
}

IObject* SObjectFactoryMgr::CreateObject(const SObjectInfo& info) {
  auto it = m_factories.find(info);
  if (it == m_factories.end()) {
    WarnMissing(info);
    return nullptr;
  }
  IObject* obj = it->second->NewObject();
  if (obj != nullptr) SetSwndDefAttr(obj);
  return obj;
}

SObjectInfo SObjectFactoryMgr::BaseObjectInfo(const SObjectInfo& info) const {
  auto it = m_factories.find(info);
  if (it == m_factories.end()) return SObjectInfo();
  SObjectInfo base(it->second->BaseClassName(), info.Type());
  if (base.Name().IsEmpty() || base.Name() == info.Name()) return SObjectInfo();
  return base;
}

void SObjectFactoryMgr::SetSwndDefAttr(IObject* obj) {
  if (obj == nullptr || obj->GetObjectType() != OBJ_TYPE_WINDOW) return;
  LPCWSTR className = obj->GetObjectClass();
  if (className == nullptr) return;
  pugi::xml_node defAttr = GetClassDefAttribute(className);
  if (!defAttr) return;

  // The style class goes first so that the other defaults land on top of it.
  pugi::xml_attribute classAttr = defAttr.attribute(L"class");
  const int oldMark = SXmlMark::GetMark(classAttr);
  if (classAttr) {
    SXmlMark::SetMark(classAttr, 1);
    obj->SetAttribute(SStringW(L"class"), SStringW(classAttr.value()), TRUE);
  }
  for (pugi::xml_attribute attr = defAttr.first_attribute(); attr; attr = attr.next_attribute()) {
    if (SXmlMark::IsMarked(attr)) continue;
    obj->SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
  }
  if (classAttr) SXmlMark::SetMark(classAttr, oldMark);
}

pugi::xml_node SObjectFactoryMgr::GetClassDefAttribute(LPCWSTR className) {
  SUiDef* defs = SUiDef::getSingletonPtr();
  IUiDefInfo* info = defs != nullptr ? defs->GetUiDef() : nullptr;
  SObjDefAttr* defAttr = info != nullptr ? info->GetObjDefAttr() : nullptr;
  return defAttr != nullptr ? defAttr->GetDefAttribute(className, this) : pugi::xml_node();
}

}  // namespace SWUI

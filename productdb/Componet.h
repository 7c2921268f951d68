#pragma once
// COMPONET: the components that units and details are made of.
#include "productdb/txrecobj.h"

class CComponetRec : public CTXRecObj
{
public:
  CComponetRec();
  // Finds the component by index 1; when there is none the number becomes 0.
  explicit CComponetRec(int component);

  int GetComponent() const { return m_component; }
  void SetComponent(int component) { m_component = component; }
  // The component's one-letter code.
  CString GetField55() const { return m_field55; }
  double GetField60() const { return m_field60; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_component = 0;
  CString m_field55;
  float m_field60 = 0;
};

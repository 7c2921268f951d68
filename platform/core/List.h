#pragma once
// Doubly linked lists with POSITION walking in both directions.
#include "platform/core/Object.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
  struct CNode : CPositionTag
  {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

public:
  CList() = default;
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
  ~CList() override { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return m_pHead->data; }
  const TYPE& GetHead() const { return m_pHead->data; }
  TYPE& GetTail() { return m_pTail->data; }
  const TYPE& GetTail() const { return m_pTail->data; }

  TYPE RemoveHead()
  {
    CNode* old = m_pHead;
    TYPE value = old->data;
    m_pHead = old->pNext;
    (m_pHead ? m_pHead->pPrev : m_pTail) = nullptr;
    Free(old);
    return value;
  }
  TYPE RemoveTail()
  {
    CNode* old = m_pTail;
    TYPE value = old->data;
    m_pTail = old->pPrev;
    (m_pTail ? m_pTail->pNext : m_pHead) = nullptr;
    Free(old);
    return value;
  }
  POSITION AddHead(ARG_TYPE value) { return InsertBefore(reinterpret_cast<POSITION>(m_pHead), value); }
  POSITION AddTail(ARG_TYPE value) { return InsertAfter(reinterpret_cast<POSITION>(m_pTail), value); }
  void AddTail(const CList* other)
  {
    for (CNode* n = other->m_pHead; n; n = n->pNext)
      AddTail(n->data);
  }
  void AddHead(const CList* other)
  {
    for (CNode* n = other->m_pTail; n; n = n->pPrev)
      AddHead(n->data);
  }
  void RemoveAll()
  {
    while (m_pHead) {
      CNode* next = m_pHead->pNext;
      delete m_pHead;
      m_pHead = next;
    }
    m_pTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return m_pHead; }
  POSITION GetTailPosition() const { return m_pTail; }
  TYPE& GetNext(POSITION& pos)
  {
    CNode* n = Node(pos);
    pos = n->pNext;
    return n->data;
  }
  const TYPE& GetNext(POSITION& pos) const
  {
    CNode* n = Node(pos);
    pos = n->pNext;
    return n->data;
  }
  TYPE& GetPrev(POSITION& pos)
  {
    CNode* n = Node(pos);
    pos = n->pPrev;
    return n->data;
  }
  const TYPE& GetPrev(POSITION& pos) const
  {
    CNode* n = Node(pos);
    pos = n->pPrev;
    return n->data;
  }
  TYPE& GetAt(POSITION pos) { return Node(pos)->data; }
  const TYPE& GetAt(POSITION pos) const { return Node(pos)->data; }
  void SetAt(POSITION pos, ARG_TYPE value) { Node(pos)->data = value; }
  void RemoveAt(POSITION pos)
  {
    CNode* n = Node(pos);
    (n->pPrev ? n->pPrev->pNext : m_pHead) = n->pNext;
    (n->pNext ? n->pNext->pPrev : m_pTail) = n->pPrev;
    Free(n);
  }
  POSITION InsertBefore(POSITION pos, ARG_TYPE value)
  {
    CNode* at = Node(pos);
    CNode* n = new CNode{{}, at, at ? at->pPrev : m_pTail, value};
    if (!at) {
      // An empty position inserts at the head, as the class library does.
      n->pNext = m_pHead;
      n->pPrev = nullptr;
      (m_pHead ? m_pHead->pPrev : m_pTail) = n;
      m_pHead = n;
    } else {
      (at->pPrev ? at->pPrev->pNext : m_pHead) = n;
      at->pPrev = n;
    }
    ++m_nCount;
    return n;
  }
  POSITION InsertAfter(POSITION pos, ARG_TYPE value)
  {
    CNode* at = Node(pos);
    if (!at) {
      // An empty position appends at the tail.
      CNode* n = new CNode{{}, nullptr, m_pTail, value};
      (m_pTail ? m_pTail->pNext : m_pHead) = n;
      m_pTail = n;
      ++m_nCount;
      return n;
    }
    CNode* n = new CNode{{}, at->pNext, at, value};
    (at->pNext ? at->pNext->pPrev : m_pTail) = n;
    at->pNext = n;
    ++m_nCount;
    return n;
  }
  POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
  {
    CNode* n = startAfter ? Node(startAfter)->pNext : m_pHead;
    for (; n; n = n->pNext)
      if (n->data == value)
        return n;
    return nullptr;
  }
  POSITION FindIndex(int index) const
  {
    if (index < 0 || index >= m_nCount)
      return nullptr;
    CNode* n = m_pHead;
    while (index-- > 0)
      n = n->pNext;
    return n;
  }

private:
  static CNode* Node(POSITION pos) { return static_cast<CNode*>(pos); }
  void Free(CNode* n)
  {
    delete n;
    --m_nCount;
  }

  CNode* m_pHead = nullptr;
  CNode* m_pTail = nullptr;
  int m_nCount = 0;
};

class CObList : public CList<CObject*, CObject*>
{
  DECLARE_SERIAL(CObList)
public:
  // Count, then every element by reference with its class tag.
  void Serialize(CArchive& ar) override;
};

using CPtrList = CList<void*, void*>;

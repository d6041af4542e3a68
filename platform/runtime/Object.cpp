#include "Object.h"

#include "Class.h"

namespace objc {

Object::~Object()
{
    if (m_weak)
        m_weak->object = nullptr;
    if (m_ownsIsa && m_isa)
        m_isa->release();
}

void Object::setIsa(Class* cls, bool owned)
{
    if (m_ownsIsa && m_isa)
        m_isa->release();
    m_isa = cls;
    m_ownsIsa = owned && cls;
    if (m_ownsIsa)
        cls->retain();
}

std::shared_ptr<WeakLink> Object::weakLink() const
{
    if (!m_weak) {
        m_weak = std::make_shared<WeakLink>();
        m_weak->object = const_cast<Object*>(this);
    }
    return m_weak;
}

} // namespace objc

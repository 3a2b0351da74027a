#include "frame/TabBarModel.h"

#include <utility>

namespace fern {

const TabItem* CTabBarModel::Item(int index) const {
    return (index >= 0 && index < Count()) ? &m_items[index] : nullptr;
}

TabItem* CTabBarModel::Item(int index) { return (index >= 0 && index < Count()) ? &m_items[index] : nullptr; }

int CTabBarModel::Insert(int index, const std::string& text, CFernView* view) {
    if (index < 0 || index > Count()) return -1;
    ForEachRemembered([index](int& i) {
        if (i >= index) ++i;
    });
    m_items.insert(m_items.begin() + index, TabItem{text, -1, view});
    return index;
}

bool CTabBarModel::Delete(int index) {
    if (!Item(index)) return false;
    ForEachRemembered([index](int& i) {
        if (i == index) i = -1;
        else if (i > index) --i;
    });
    m_items.erase(m_items.begin() + index);
    return true;
}

bool CTabBarModel::Swap(int a, int b) {
    if (!Item(a) || !Item(b)) return false;
    std::swap(m_items[a], m_items[b]);
    ForEachRemembered([a, b](int& i) {
        if (i == a) i = b;
        else if (i == b) i = a;
    });
    return true;
}

bool CTabBarModel::SetText(int index, const std::string& text) {
    if (TabItem* item = Item(index)) {
        item->text = text;
        return true;
    }
    return false;
}

bool CTabBarModel::SetImage(int index, int image) {
    if (TabItem* item = Item(index)) {
        item->image = image;
        return true;
    }
    return false;
}

bool CTabBarModel::SetAsleep(int index, bool asleep) {
    TabItem* item = Item(index);
    if (!item || item->asleep == asleep) return false;
    item->asleep = asleep;
    return true;
}

bool CTabBarModel::SetSelected(int index) {
    if (index != -1 && !Item(index)) return false;
    m_selected = index;
    return true;
}

int CTabBarModel::IndexOf(const CFernView* view) const {
    for (int i = 0; i < Count(); ++i)
        if (m_items[i].view == view) return i;
    return -1;
}

}  // namespace fern

#!/usr/bin/env bash
# Takes the user guide's screenshots (docs/images/) from the real program under a private Xvfb
# at 1024×768, driven with xdotool as a person would. The program runs as installed (its book
# made from the template in a throw-away home), on a book holding the example shop's master
# data; the purchase and the sale are entered through its windows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
BUILD_DIR=$build BUILD_TARGET=vesk scripts/build.sh >/dev/null
. tests/package/xdrive.sh
out=$root/docs/images
mkdir -p "$out"

work=$(mktemp -d)
vesk_pid=""
cleanup() {
  [ -n "$vesk_pid" ] && kill "$vesk_pid" 2>/dev/null || true
  xdrive_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  xdrive_shot "$work/../guide-failure.png" 2>/dev/null || true
  cat "$work/vesk.log"
  exit 1
}

# An installation in the throw-away folder: the program in usr/bin, the template in
# usr/share/vesk, the user's book where the program makes it on its first start.
mkdir -p "$work/usr/bin" "$work/usr/share/vesk" "$work/home/.local/share/Vesk/vesk"
mkdir -m 700 "$work/runtime"
cp "$build/bin/vesk" "$work/usr/bin/"
cp "$build/share/vesk/kestdata.db" "$work/usr/share/vesk/"
book=$work/home/.local/share/Vesk/vesk/kestdata.db
cp "$work/usr/share/vesk/kestdata.db" "$book"
sqlite3 "$book" <<'SQL'
INSERT INTO Fhouse(houseName, resperson, phone, address, remark) VALUES
  ('一号仓库', '王建国', '0571-88012345', '杭州市西湖区文三路18号', ''),
  ('门市部', '李秀英', '0571-88016789', '杭州市西湖区文三路20号', '');
INSERT INTO Fprodcate(cateName) VALUES ('饮料'), ('日用品'), ('文具');
INSERT INTO Fproduct(cateID, prodBH, prodName, type, company, unitName, inprice, outprice,
                     remark, field1, field2) VALUES
  (1, 'YL001', '矿泉水', '550ml', '农夫山泉', '箱', 24, 30, '', '', ''),
  (1, 'YL002', '绿茶', '500ml', '康师傅', '箱', 36, 45, '', '', ''),
  (2, 'RY001', '洗衣粉', '1kg', '立白', '袋', 12.5, 16, '', '', ''),
  (2, 'RY002', '抽纸', '3层100抽', '清风', '提', 18, 23.8, '', '', ''),
  (3, 'WJ001', '中性笔', '0.5mm黑色', '晨光', '盒', 15, 20, '', '', ''),
  (3, 'WJ002', '笔记本', 'A5', '得力', '本', 3.2, 5, '', '', '');
INSERT INTO Fsupplier(compName, conperson, phone, address, bankName, bankCard, exchMoney, remark)
  VALUES ('杭州恒通食品批发', '赵强', '13805710001', '杭州市拱墅区', '工商银行', '6222021202001234567', 0, ''),
         ('宁波文华文具', '孙丽', '13905740002', '宁波市海曙区', '建设银行', '6217001540002345678', 0, '');
INSERT INTO Fcustomer(compName, conperson, phone, address, bankName, bankCard, exchMoney, remark)
  VALUES ('西湖小学小卖部', '周敏', '13705710003', '杭州市西湖区', '', '', 0, ''),
         ('文三路便利店', '吴刚', '13605710004', '杭州市西湖区', '', '', 0, '');
INSERT INTO Femployee(empName) VALUES ('王建国'), ('李秀英');
-- The cashier logs in with the administrator's first password until she changes it.
INSERT INTO Users(UserName, pwd) SELECT '收银员', pwd FROM Users WHERE UserID = 1;
INSERT INTO perms(userID, perm) SELECT UserID, p FROM Users,
  (SELECT 3 AS p UNION ALL SELECT 4 UNION ALL SELECT 5 UNION ALL SELECT 6 UNION ALL SELECT 27)
  WHERE UserName = '收银员';
SQL

xdrive_start
(cd "$work/home" && exec env -i HOME="$work/home" LANG=C.UTF-8 PATH=/usr/bin:/bin \
  DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$work/runtime" "$work/usr/bin/vesk") >"$work/vesk.log" 2>&1 &
vesk_pid=$!

# Opens a window by its menu keys, shoots it as the named picture and closes it.
shoot_window() {
  local picture=$1 title=$2 w
  shift 2
  xdrive_key "$@"
  w=$(xdrive_wait "$title") || fail "no window $title"
  sleep 0.5
  xdrive_shot "$out/$picture" "$w"
  xdrive_key Escape
  xdrive_gone "$title" || fail "$title stayed open"
  xdotool windowfocus --sync "$main"
}

login=$(xdrive_wait "登录" 90) || fail "no login window"
xdrive_type "admin"
xdrive_shot "$out/01-login.png" "$login"
xdrive_key Return
main=$(xdrive_wait "Vesk进销存管理软件") || fail "no main window"
sleep 1
xdrive_shot "$out/02-main.png" "$main"

shoot_window 03-house.png "仓库管理" alt+b h
shoot_window 04-product.png "商品管理" alt+b p
shoot_window 05-supplier.png "供应商管理" alt+b s

# The opening stock, as a purchase from the casual supplier, paid in full.
xdrive_key alt+p i
pur=$(xdrive_wait "采购进货") || fail "no purchase window"
vesk_post_document "$pur" "查找供应商" 1 2470 shoot:"$out/06-purchase.png" 1:50 3:40 5:30 6:100 ||
  fail "the purchase"
xdrive_gone "采购进货" || fail "the purchase window stayed open"
xdotool windowfocus --sync "$main"

# The cashier's permissions, shown by choosing her in the list.
xdrive_key alt+t u
users=$(xdrive_wait "用户管理") || fail "no user window"
xdrive_click "$users" 100 140
xdrive_shot "$out/07-user.png" "$users"
xdrive_key Escape
xdrive_gone "用户管理" || fail "the user window stayed open"
xdotool windowfocus --sync "$main"

# A sale on credit to a customer: 300 paid of 380.
xdrive_key alt+s s
sale=$(xdrive_wait "商品销售") || fail "no sale window"
vesk_post_document "$sale" "查找客户" 2 300 shoot:"$out/08-sale.png" 1:10 3:5 || fail "the sale"
xdrive_gone "商品销售" || fail "the sale window stayed open"
xdotool windowfocus --sync "$main"

shoot_window 09-stock.png "商品库存" alt+i p
shoot_window 10-month.png "本月营业统计" alt+q Down Down Down Down Down Down Down Down Down Down Return
shoot_window 11-backup.png "数据备份" alt+t b
shoot_window 12-about.png "关于本软件" alt+h a

xdrive_key alt+t x
wait "$vesk_pid" || fail "the program ended with an error"
vesk_pid=""
echo "screenshots in docs/images/"

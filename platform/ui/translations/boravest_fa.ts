<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fa_IR">
<!-- The Persian texts of Qt's own dialogs that Qt's Persian translation lacks. -->
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>درايو</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>پوشه</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>نامعلوم</translation>
    </message>
    <message>
        <source>File</source>
        <comment>All other platforms</comment>
        <translation>پرونده</translation>
    </message>
    <message>
        <source>%1 File</source>
        <comment>%1 is a file name suffix, for example txt</comment>
        <translation>پرونده %1</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>صفحه ها</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>صفحه ها يا بازه ها را با ويرگول جدا كنيد؛ هر بازه دو عدد است با خط تيره در ميان. مثلا 3,5-7,9 صفحه هاي 3، 5، 6، 7 و 9 را چاپ مي كند.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>چاپ دورو</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>خاموش</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>صحافي از لبه بلند</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>صحافي از لبه كوتاه</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>پيشرفته</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>برخي گزينه ها با هم ناسازگارند. لطفا آنها را اصلاح كنيد.</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>&amp;HTML:</source>
        <translation>&amp;كد رنگ:</translation>
    </message>
</context>
<context>
    <name>QFontDatabase</name>
    <message>
        <source>Regular</source>
        <translation>معمولي</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>معمولي</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>معمولي</translation>
    </message>
    <message>
        <source>Roman</source>
        <translation>معمولي</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>متوسط</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>توپر</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>كج</translation>
    </message>
    <message>
        <source>Oblique</source>
        <translation>مايل</translation>
    </message>
    <message>
        <source>Bold Italic</source>
        <translation>توپر كج</translation>
    </message>
    <message>
        <source>Bold Oblique</source>
        <translation>توپر مايل</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>نازك</translation>
    </message>
    <message>
        <source>Light Italic</source>
        <translation>نازك كج</translation>
    </message>
    <message>
        <source>Light Oblique</source>
        <translation>نازك مايل</translation>
    </message>
    <message>
        <source>ExtraLight</source>
        <translation>بسيار نازك</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>باريك</translation>
    </message>
    <message>
        <source>Condensed</source>
        <translation>فشرده</translation>
    </message>
    <message>
        <source>Condensed Bold</source>
        <translation>فشرده توپر</translation>
    </message>
    <message>
        <source>Condensed Oblique</source>
        <translation>فشرده مايل</translation>
    </message>
    <message>
        <source>Condensed Bold Oblique</source>
        <translation>فشرده توپر مايل</translation>
    </message>
    <message>
        <source>Condensed Italic</source>
        <translation>فشرده كج</translation>
    </message>
    <message>
        <source>Condensed Bold Italic</source>
        <translation>فشرده توپر كج</translation>
    </message>
    <message>
        <source>SemiBold</source>
        <translation>نيمه توپر</translation>
    </message>
    <message>
        <source>Semibold</source>
        <translation>نيمه توپر</translation>
    </message>
    <message>
        <source>Demi Bold</source>
        <translation>نيمه توپر</translation>
    </message>
    <message>
        <source>ExtraBold</source>
        <translation>بسيار توپر</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>سياه</translation>
    </message>
    <message>
        <source>Medium Italic</source>
        <translation>متوسط كج</translation>
    </message>
    <message>
        <source>Book Oblique</source>
        <translation>معمولي مايل</translation>
    </message>
    <message>
        <source>Demi</source>
        <translation>نيمه توپر</translation>
    </message>
    <message>
        <source>Demi Oblique</source>
        <translation>نيمه توپر مايل</translation>
    </message>
    <message>
        <source>Demi Italic</source>
        <translation>نيمه توپر كج</translation>
    </message>
</context>
<context>
    <name>QPageSize</name>
    <message>
        <source>Letter Extra</source>
        <translation>نامه بزرگ</translation>
    </message>
    <message>
        <source>Letter Plus</source>
        <translation>نامه پلاس</translation>
    </message>
    <message>
        <source>Letter Small</source>
        <translation>نامه كوچك</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>حقوقي</translation>
    </message>
    <message>
        <source>Legal Extra</source>
        <translation>حقوقي بزرگ</translation>
    </message>
    <message>
        <source>Tabloid Extra</source>
        <translation>تابلويد بزرگ</translation>
    </message>
    <message>
        <source>Executive (7.5 x 10 in)</source>
        <translation>اداري (7.5 × 10 in)</translation>
    </message>
    <message>
        <source>Executive (7.25 x 10.5 in)</source>
        <translation>اداري (7.25 × 10.5 in)</translation>
    </message>
    <message>
        <source>Folio (8.27 x 13 in)</source>
        <translation>فوليو (8.27 × 13 in)</translation>
    </message>
    <message>
        <source>%1 x %2 in</source>
        <translation>%1 × %2 in</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>يادداشت</translation>
    </message>
    <message>
        <source>Quarto</source>
        <translation>كوارتو</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>صورتحساب</translation>
    </message>
    <message>
        <source>Super A</source>
        <translation>سوپر A</translation>
    </message>
    <message>
        <source>Super B</source>
        <translation>سوپر B</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>كارت پستال</translation>
    </message>
    <message>
        <source>Double Postcard</source>
        <translation>كارت پستال دوتايي</translation>
    </message>
    <message>
        <source>PRC 32K Big</source>
        <translation>PRC 32K بزرگ</translation>
    </message>
    <message>
        <source>Fan-fold US (14.875 x 11 in)</source>
        <translation>فرم پيوسته آمريكايي (14.875 × 11 in)</translation>
    </message>
    <message>
        <source>Fan-fold German (8.5 x 12 in)</source>
        <translation>فرم پيوسته آلماني (8.5 × 12 in)</translation>
    </message>
    <message>
        <source>Fan-fold German Legal (8.5 x 13 in)</source>
        <translation>فرم پيوسته آلماني حقوقي (8.5 × 13 in)</translation>
    </message>
    <message>
        <source>Envelope Monarch</source>
        <translation>پاكت مونارك</translation>
    </message>
    <message>
        <source>Envelope Personal</source>
        <translation>پاكت شخصي</translation>
    </message>
    <message>
        <source>Envelope Invite</source>
        <translation>پاكت دعوت</translation>
    </message>
    <message>
        <source>Envelope Italian</source>
        <translation>پاكت ايتاليايي</translation>
    </message>
    <message>
        <source>Envelope Chou 3</source>
        <translation>پاكت ژاپني چو 3</translation>
    </message>
    <message>
        <source>Envelope Chou 4</source>
        <translation>پاكت ژاپني چو 4</translation>
    </message>
    <message>
        <source>Envelope Kaku 2</source>
        <translation>پاكت ژاپني كاكو 2</translation>
    </message>
    <message>
        <source>Envelope Kaku 3</source>
        <translation>پاكت ژاپني كاكو 3</translation>
    </message>
    <message>
        <source>Envelope You 4</source>
        <translation>پاكت ژاپني يو 4</translation>
    </message>
    <message>
        <source>A3 Extra</source>
        <translation>A3 بزرگ</translation>
    </message>
    <message>
        <source>A4 Extra</source>
        <translation>A4 بزرگ</translation>
    </message>
    <message>
        <source>A5 Extra</source>
        <translation>A5 بزرگ</translation>
    </message>
    <message>
        <source>B5 Extra</source>
        <translation>B5 بزرگ</translation>
    </message>
    <message>
        <source>A4 Plus</source>
        <translation>A4 پلاس</translation>
    </message>
    <message>
        <source>A4 Small</source>
        <translation>A4 كوچك</translation>
    </message>
    <message>
        <source>Envelope C0</source>
        <translation>پاكت C0</translation>
    </message>
    <message>
        <source>Envelope C1</source>
        <translation>پاكت C1</translation>
    </message>
    <message>
        <source>Envelope C2</source>
        <translation>پاكت C2</translation>
    </message>
    <message>
        <source>Envelope C3</source>
        <translation>پاكت C3</translation>
    </message>
    <message>
        <source>Envelope C4</source>
        <translation>پاكت C4</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <translation>پاكت C5</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <translation>پاكت C6</translation>
    </message>
    <message>
        <source>Envelope C65</source>
        <translation>پاكت C65</translation>
    </message>
    <message>
        <source>Envelope C7</source>
        <translation>پاكت C7</translation>
    </message>
    <message>
        <source>Envelope B4</source>
        <translation>پاكت B4</translation>
    </message>
    <message>
        <source>Envelope B5</source>
        <translation>پاكت B5</translation>
    </message>
    <message>
        <source>Envelope B6</source>
        <translation>پاكت B6</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>پاكت DL</translation>
    </message>
    <message>
        <source>Envelope US 9</source>
        <translation>پاكت US 9</translation>
    </message>
    <message>
        <source>Envelope US 10</source>
        <translation>پاكت US 10</translation>
    </message>
    <message>
        <source>Envelope US 11</source>
        <translation>پاكت US 11</translation>
    </message>
    <message>
        <source>Envelope US 12</source>
        <translation>پاكت US 12</translation>
    </message>
    <message>
        <source>Envelope US 14</source>
        <translation>پاكت US 14</translation>
    </message>
    <message>
        <source>Envelope PRC 1</source>
        <translation>پاكت PRC 1</translation>
    </message>
    <message>
        <source>Envelope PRC 2</source>
        <translation>پاكت PRC 2</translation>
    </message>
    <message>
        <source>Envelope PRC 3</source>
        <translation>پاكت PRC 3</translation>
    </message>
    <message>
        <source>Envelope PRC 4</source>
        <translation>پاكت PRC 4</translation>
    </message>
    <message>
        <source>Envelope PRC 5</source>
        <translation>پاكت PRC 5</translation>
    </message>
    <message>
        <source>Envelope PRC 6</source>
        <translation>پاكت PRC 6</translation>
    </message>
    <message>
        <source>Envelope PRC 7</source>
        <translation>پاكت PRC 7</translation>
    </message>
    <message>
        <source>Envelope PRC 8</source>
        <translation>پاكت PRC 8</translation>
    </message>
    <message>
        <source>Envelope PRC 9</source>
        <translation>پاكت PRC 9</translation>
    </message>
    <message>
        <source>Envelope PRC 10</source>
        <translation>پاكت PRC 10</translation>
    </message>
    <message>
        <source>Architect A</source>
        <translation>معماري A</translation>
    </message>
    <message>
        <source>Architect B</source>
        <translation>معماري B</translation>
    </message>
    <message>
        <source>Architect C</source>
        <translation>معماري C</translation>
    </message>
    <message>
        <source>Architect D</source>
        <translation>معماري D</translation>
    </message>
    <message>
        <source>Architect E</source>
        <translation>معماري E</translation>
    </message>
</context>
<context>
    <name>PrinterOptions</name>
    <message>
        <source>General</source>
        <translation>عمومي</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>وضوح</translation>
    </message>
    <message>
        <source>Output Resolution</source>
        <translation>وضوح چاپ</translation>
    </message>
    <message>
        <source>Print Quality</source>
        <translation>كيفيت چاپ</translation>
    </message>
    <message>
        <source>Color Model</source>
        <translation>حالت رنگ</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>حالت رنگ</translation>
    </message>
    <message>
        <source>Output Mode</source>
        <translation>حالت خروجي</translation>
    </message>
    <message>
        <source>Media Source</source>
        <translation>منبع كاغذ</translation>
    </message>
    <message>
        <source>Paper Source</source>
        <translation>منبع كاغذ</translation>
    </message>
    <message>
        <source>Input Slot</source>
        <translation>منبع كاغذ</translation>
    </message>
    <message>
        <source>Media Type</source>
        <translation>نوع كاغذ</translation>
    </message>
    <message>
        <source>Paper Type</source>
        <translation>نوع كاغذ</translation>
    </message>
    <message>
        <source>Draft</source>
        <translation>پيش نويس</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>معمولي</translation>
    </message>
    <message>
        <source>High</source>
        <translation>بالا</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>بهترين</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>رنگي</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>خاكستري</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>خاكستري</translation>
    </message>
    <message>
        <source>Black and White</source>
        <translation>سياه و سفيد</translation>
    </message>
    <message>
        <source>Monochrome</source>
        <translation>سياه و سفيد</translation>
    </message>
    <message>
        <source>Auto Select</source>
        <translation>انتخاب خودكار</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>خودكار</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>خودكار</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>پيش فرض</translation>
    </message>
    <message>
        <source>Printer Default</source>
        <translation>پيش فرض چاپگر</translation>
    </message>
    <message>
        <source>Cassette</source>
        <translation>كاست</translation>
    </message>
    <message>
        <source>Manual Feed</source>
        <translation>تغذيه دستي</translation>
    </message>
    <message>
        <source>Tray 1</source>
        <translation>سيني 1</translation>
    </message>
    <message>
        <source>Tray 2</source>
        <translation>سيني 2</translation>
    </message>
    <message>
        <source>Tray 3</source>
        <translation>سيني 3</translation>
    </message>
    <message>
        <source>Plain Paper</source>
        <translation>كاغذ معمولي</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>معمولي</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>طلق</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>برچسب</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>پاكت</translation>
    </message>
    <message>
        <source>Cardstock</source>
        <translation>مقوا</translation>
    </message>
    <message>
        <source>Photo Paper</source>
        <translation>كاغذ عكس</translation>
    </message>
    <message>
        <source>Glossy Photo Paper</source>
        <translation>كاغذ عكس براق</translation>
    </message>
    <message>
        <source>US Letter</source>
        <translation>نامه (US)</translation>
    </message>
    <message>
        <source>US Legal</source>
        <translation>حقوقي (US)</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>نامه</translation>
    </message>
    <message>
        <source>Ledger</source>
        <translation>دفتري</translation>
    </message>
    <message>
        <source>Tabloid</source>
        <translation>تابلويد</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>اداري</translation>
    </message>
    <message>
        <source>Envelope #10</source>
        <translation>پاكت #10</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>پاكت DL</translation>
    </message>
    <message>
        <source>Arch A</source>
        <translation>معماري A</translation>
    </message>
    <message>
        <source>Arch B</source>
        <translation>معماري B</translation>
    </message>
    <message>
        <source>Arch C</source>
        <translation>معماري C</translation>
    </message>
    <message>
        <source>Arch D</source>
        <translation>معماري D</translation>
    </message>
    <message>
        <source>Arch E</source>
        <translation>معماري E</translation>
    </message>
    <message>
        <source>PDF version</source>
        <translation>نسخه PDF</translation>
    </message>
    <message>
        <source>Truncate output filename to</source>
        <translation>كوتاه كردن نام پرونده خروجي به</translation>
    </message>
    <message>
        <source>8 Characters</source>
        <translation>8 نويسه</translation>
    </message>
    <message>
        <source>16 Characters</source>
        <translation>16 نويسه</translation>
    </message>
    <message>
        <source>32 Characters</source>
        <translation>32 نويسه</translation>
    </message>
    <message>
        <source>64 Characters</source>
        <translation>64 نويسه</translation>
    </message>
    <message>
        <source>Label outputfiles</source>
        <translation>برچسب پرونده هاي خروجي</translation>
    </message>
    <message>
        <source>Label only untitled documents with job-id</source>
        <translation>شماره كار فقط بر سندهاي بي عنوان</translation>
    </message>
    <message>
        <source>Prefix all documents with job-id</source>
        <translation>شماره كار پيش از نام همه سندها</translation>
    </message>
    <message>
        <source>Suffix all documents with job-id</source>
        <translation>شماره كار پس از نام همه سندها</translation>
    </message>
    <message>
        <source>Prefer title from</source>
        <translation>عنوان از</translation>
    </message>
    <message>
        <source>Title in postscript document</source>
        <translation>عنوان درون سند پست اسكريپت</translation>
    </message>
    <message>
        <source>Title passed via command-line1</source>
        <translation>عنوان داده شده در خط فرمان</translation>
    </message>
    <message>
        <source>Log level</source>
        <translation>سطح گزارش</translation>
    </message>
    <message>
        <source>Only errors</source>
        <translation>فقط خطاها</translation>
    </message>
    <message>
        <source>Error and status messages</source>
        <translation>خطاها و پيام هاي وضعيت</translation>
    </message>
    <message>
        <source>Debug, error and status messages</source>
        <translation>اشكال زدايي، خطاها و پيام هاي وضعيت</translation>
    </message>
</context>
</TS>

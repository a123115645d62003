<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>CalcEngine</name>
    <message>
        <source>Невозможно выполнить операцию!</source>
        <translation>The operation cannot be performed!</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>Интегральная кривая распределения</source>
        <translation>Cumulative distribution curve</translation>
    </message>
    <message>
        <source>d , мкм</source>
        <translation>d , µm</translation>
    </message>
    <message>
        <source>Дифференциальная кривая распределения</source>
        <translation>Differential distribution curve</translation>
    </message>
    <message>
        <source>P(d) , %/мкм</source>
        <translation>P(d) , %/µm</translation>
    </message>
</context>
<context>
    <name>DataFiles</name>
    <message>
        <source>Не удается открыть файл &quot;%1&quot;</source>
        <translation>Cannot open the file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является файлом данных Grizal 2</source>
        <translation>The file &quot;%1&quot; is not a Grizal 2 data file</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>Файл записан: %1
Программа, которая его откроет, не найдена (нет ни LibreOffice, ни xdg-open).</source>
        <translation>File written: %1
No program was found to open it (neither LibreOffice nor xdg-open).</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Не удается записать файл &quot;%1&quot;</source>
        <translation>Cannot write the file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Не удается прочитать изображение &quot;%1&quot;</source>
        <translation>Cannot read the picture &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>FitChart</name>
    <message>
        <source>выборка</source>
        <translation>sample</translation>
    </message>
    <message>
        <source>Годена-Андреева</source>
        <translation>Gaudin-Andreev-Schuhmann</translation>
    </message>
    <message>
        <source>Розина-Раммлера</source>
        <translation>Rosin-Rammler</translation>
    </message>
    <message>
        <source>нормальный</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>лог.-нормальный</source>
        <translation>log-normal</translation>
    </message>
    <message>
        <source>Интегральная кривая распределения (максимальное правдоподобие)</source>
        <translation>Cumulative distribution curve (maximum likelihood)</translation>
    </message>
    <message>
        <source>d , мкм</source>
        <translation>d , µm</translation>
    </message>
    <message>
        <source>интервал %1 %</source>
        <translation>%1% interval</translation>
    </message>
</context>
<context>
    <name>FitError</name>
    <message>
        <source>Годена-Андреева</source>
        <translation>Gaudin-Andreev-Schuhmann</translation>
    </message>
    <message>
        <source>Розина-Раммлера</source>
        <translation>Rosin-Rammler</translation>
    </message>
    <message>
        <source>нормального</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>логарифмически нормального</source>
        <translation>log-normal</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>В выборке нет частиц</source>
        <translation>The sample has no particles</translation>
    </message>
    <message>
        <source>Строка %1: размер должен быть больше 0</source>
        <translation>Row %1: the size must be greater than 0</translation>
    </message>
    <message>
        <source>Все частицы одного размера: законы распределения не подбираются</source>
        <translation>All particles have the same size: no distribution law can be fitted</translation>
    </message>
    <message>
        <source>Все частицы в одном классе: законы распределения не подбираются</source>
        <translation>All particles are in one class: no distribution law can be fitted</translation>
    </message>
    <message>
        <source>Строка %1: размеры классов должны возрастать</source>
        <translation>Row %1: the class sizes must increase</translation>
    </message>
    <message>
        <source>Параметры %1 закона не находятся методом максимального правдоподобия</source>
        <translation>Maximum likelihood finds no parameters of the %1 law</translation>
    </message>
</context>
<context>
    <name>FitOptions</name>
    <message>
        <source>Число выборок бутстрепа должно быть целым от 0 до 1000000</source>
        <translation>The number of bootstrap resamples must be a whole number from 0 to 1000000</translation>
    </message>
    <message>
        <source>Доверительная вероятность должна быть числом больше 0 и меньше 1</source>
        <translation>The confidence level must be a number greater than 0 and less than 1</translation>
    </message>
    <message>
        <source>Начальное число генератора должно быть целым от 0 до 18446744073709551615</source>
        <translation>The generator seed must be a whole number from 0 to 18446744073709551615</translation>
    </message>
</context>
<context>
    <name>FitReport</name>
    <message>
        <source>Закон Годена-Андреева F(d)=(d/a)^l</source>
        <translation>Gaudin-Andreev-Schuhmann law F(d)=(d/a)^l</translation>
    </message>
    <message>
        <source>закон Годена-Андреева</source>
        <translation>the Gaudin-Andreev-Schuhmann law</translation>
    </message>
    <message>
        <source>Закон Розина-Раммлера F(d)=1-exp(-(d/b)^a)</source>
        <translation>Rosin-Rammler law F(d)=1-exp(-(d/b)^a)</translation>
    </message>
    <message>
        <source>закон Розина-Раммлера</source>
        <translation>the Rosin-Rammler law</translation>
    </message>
    <message>
        <source>Нормальный закон</source>
        <translation>Normal law</translation>
    </message>
    <message>
        <source>нормальный закон</source>
        <translation>the normal law</translation>
    </message>
    <message>
        <source>Логарифмически нормальный закон</source>
        <translation>Log-normal law</translation>
    </message>
    <message>
        <source>логарифмически нормальный закон</source>
        <translation>the log-normal law</translation>
    </message>
    <message>
        <source>Законы распределения по методу максимального правдоподобия</source>
        <translation>Distribution laws by maximum likelihood</translation>
    </message>
    <message>
        <source>По объему частиц</source>
        <translation>By particle volume</translation>
    </message>
    <message>
        <source>По числу частиц</source>
        <translation>By particle number</translation>
    </message>
    <message>
        <source>, по классам</source>
        <translation>, by classes</translation>
    </message>
    <message>
        <source>Доверительные интервалы %1 % по %2 выборкам бутстрепа</source>
        <translation>%1% confidence intervals from %2 bootstrap resamples</translation>
    </message>
    <message>
        <source>Медианный диаметр d50=%1 мкм</source>
        <translation>Median diameter d50=%1 µm</translation>
    </message>
    <message>
        <source>, интервал от %1 до %2 мкм</source>
        <translation>, interval %1 to %2 µm</translation>
    </message>
    <message>
        <source>На %1 из %2 выборок закон не подбирается: %3</source>
        <translation>The law cannot be fitted to %1 of %2 resamples: %3</translation>
    </message>
    <message>
        <source>интервал допускает на них любое значение</source>
        <translation>the interval allows them any value</translation>
    </message>
    <message>
        <source>интервала нет</source>
        <translation>there is no interval</translation>
    </message>
    <message>
        <source>Наименьший AIC: %1</source>
        <translation>Lowest AIC: %1</translation>
    </message>
    <message>
        <source>Полуширина интервала d50: ±%1 %</source>
        <translation>Half-width of the d50 interval: ±%1%</translation>
    </message>
    <message>
        <source>для d50 с точностью ±5 % нужно около %1 частиц</source>
        <translation>About %1 particles would bring d50 within ±5%</translation>
    </message>
</context>
<context>
    <name>Generation</name>
    <message>
        <source>Неверно указаны параметры распределения</source>
        <translation>The distribution parameters are invalid</translation>
    </message>
    <message>
        <source>Минимальный диаметр частиц должен быть меньше максимального</source>
        <translation>The smallest particle diameter must be less than the largest</translation>
    </message>
    <message>
        <source>Невозможно сформировать выборку при указанных параметрах</source>
        <translation>No sample can be generated with these parameters</translation>
    </message>
</context>
<context>
    <name>Grouping</name>
    <message>
        <source>Невозможно сгруппировать данные</source>
        <translation>The data cannot be grouped</translation>
    </message>
</context>
<context>
    <name>Measure</name>
    <message>
        <source>Средняя плотность по каналу R = </source>
        <translation>Mean density of the R channel = </translation>
    </message>
    <message>
        <source>Средняя плотность по каналу G = </source>
        <translation>Mean density of the G channel = </translation>
    </message>
    <message>
        <source>Средняя плотность по каналу B = </source>
        <translation>Mean density of the B channel = </translation>
    </message>
</context>
<context>
    <name>Metafile</name>
    <message>
        <source>файл повреждён</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>размер изображения не задан</source>
        <translation>the picture size is not given</translation>
    </message>
    <message>
        <source>изображение %1 x %2 точек слишком велико</source>
        <translation>a picture of %1 x %2 pixels is too large</translation>
    </message>
    <message>
        <source>недостаточно памяти для изображения %1 x %2 точек</source>
        <translation>not enough memory for a picture of %1 x %2 pixels</translation>
    </message>
    <message>
        <source>это не метафайл EMF или WMF</source>
        <translation>this is not an EMF or WMF metafile</translation>
    </message>
    <message>
        <source>кисти-узоры метафайла занимают больше %1 млн точек</source>
        <translation>the metafile&apos;s pattern brushes take more than %1 million pixels</translation>
    </message>
    <message>
        <source>растровые рисунки метафайла занимают больше %1 млн точек</source>
        <translation>the metafile&apos;s bitmaps take more than %1 million pixels</translation>
    </message>
    <message>
        <source>метафайл требует рисовать больше %1 млрд точек</source>
        <translation>the metafile asks to paint more than %1 billion pixels</translation>
    </message>
    <message>
        <source>области отсечения метафайла слишком сложны</source>
        <translation>the metafile&apos;s clipping regions are too complex</translation>
    </message>
</context>
<context>
    <name>MultImage</name>
    <message>
        <source>Файл не найден!</source>
        <translation>File not found!</translation>
    </message>
</context>
<context>
    <name>PictureMemory</name>
    <message>
        <source>изображение %1 x %2 точек слишком велико (наибольшее %3 x %3)</source>
        <translation>a picture of %1 x %2 pixels is too large (the largest is %3 x %3)</translation>
    </message>
    <message>
        <source>недостаточно памяти для изображения %1 x %2 точек</source>
        <translation>not enough memory for a picture of %1 x %2 pixels</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>дифференциальная кривая описывается формулой</source>
        <translation>Differential curve:</translation>
    </message>
    <message>
        <source>Медианный диаметр d50=</source>
        <translation>Median diameter d50=</translation>
    </message>
    <message>
        <source> мкм</source>
        <translation> µm</translation>
    </message>
    <message>
        <source>Интегральная оценка погрешности Q=</source>
        <translation>Integral error estimate Q=</translation>
    </message>
    <message>
        <source>Паpаметpы pаспpеделения по фоpмуле Годена</source>
        <translation>Gaudin-Andreev-Schuhmann distribution parameters</translation>
    </message>
    <message>
        <source>Паpаметpы pаспpеделения по фоpмуле Розина-Раммлеpа</source>
        <translation>Rosin-Rammler distribution parameters</translation>
    </message>
    <message>
        <source>Паpаметpы pаспpеделения по Hоpмальному закону</source>
        <translation>Normal distribution parameters</translation>
    </message>
    <message>
        <source>Паpаметpы pаспpеделения по Логаpифмически Hоpмальному закону</source>
        <translation>Log-normal distribution parameters</translation>
    </message>
    <message>
        <source>Данные описываются фоpмулой Годена</source>
        <translation>The data follow the Gaudin-Andreev-Schuhmann law</translation>
    </message>
    <message>
        <source>Данные описываются фоpмулой Розина-Раммлеpа</source>
        <translation>The data follow the Rosin-Rammler law</translation>
    </message>
    <message>
        <source>Данные описываются Ноpмальным законом</source>
        <translation>The data follow the normal law</translation>
    </message>
    <message>
        <source>Данные описываются Логаpифмически ноpмальным законом</source>
        <translation>The data follow the log-normal law</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Невозможно закончить расчет</source>
        <translation>The calculation cannot be completed</translation>
    </message>
</context>
<context>
    <name>ScaleBar</name>
    <message>
        <source> мкм</source>
        <translation> µm</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>сборка 2.31</source>
        <translation>build 2.31</translation>
    </message>
</context>
<context>
    <name>TBatchDlg</name>
    <message>
        <source>Пакетная обработка</source>
        <translation>Batch processing</translation>
    </message>
    <message>
        <source>Папка...</source>
        <translation>Folder...</translation>
    </message>
    <message>
        <source>Файлы...</source>
        <translation>Files...</translation>
    </message>
    <message>
        <source>Рецепт</source>
        <translation>Recipe</translation>
    </message>
    <message>
        <source>Текущие настройки диалога «Частицы»</source>
        <translation>Current settings of the “Particles” dialog</translation>
    </message>
    <message>
        <source>Файл рецепта:</source>
        <translation>Recipe file:</translation>
    </message>
    <message>
        <source>Файл рецепта</source>
        <translation>Recipe file</translation>
    </message>
    <message>
        <source>Обзор...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Сохранить рецепт...</source>
        <translation>Save recipe...</translation>
    </message>
    <message>
        <source>по числу ядер</source>
        <translation>one per core</translation>
    </message>
    <message>
        <source>&amp;Изображения:</source>
        <translation>&amp;Images:</translation>
    </message>
    <message>
        <source>Папка &amp;результатов:</source>
        <translation>&amp;Results folder:</translation>
    </message>
    <message>
        <source>&amp;Потоков:</source>
        <translation>&amp;Threads:</translation>
    </message>
    <message>
        <source>%v из %m</source>
        <translation>%v of %m</translation>
    </message>
    <message>
        <source>Запустить</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Папка с изображениями</source>
        <translation>Folder of images</translation>
    </message>
    <message>
        <source>Изображения</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Все графические файлы|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|Все файлы (*.*)|*.*</source>
        <translation>All picture files|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Рецепты (*.txt)|*.txt|Все файлы (*.*)|*.*</source>
        <translation>Recipes (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Папка результатов</source>
        <translation>Results folder</translation>
    </message>
    <message>
        <source>Не удается прочитать рецепт &quot;%1&quot;</source>
        <translation>Cannot read the recipe &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Ошибка в рецепте &quot;%1&quot;: %2</source>
        <translation>Error in the recipe &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Сохранить рецепт</source>
        <translation>Save recipe</translation>
    </message>
    <message>
        <source>В папке &quot;%1&quot; нет изображений</source>
        <translation>The folder &quot;%1&quot; holds no images</translation>
    </message>
    <message>
        <source>Выберите папку с изображениями или файлы</source>
        <translation>Choose a folder of images or the files</translation>
    </message>
    <message>
        <source>Выберите папку результатов</source>
        <translation>Choose the results folder</translation>
    </message>
    <message>
        <source>Обработка...</source>
        <translation>Processing...</translation>
    </message>
    <message>
        <source>Не удается создать папку &quot;%1&quot;</source>
        <translation>Cannot create the folder &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Различных значений больше, чем вмещает выборка (%1); выборка и распределение не записаны</source>
        <translation>More distinct values than a sample holds (%1); the sample and the fit were not written</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; остался от прежнего запуска и не удален</source>
        <translation>The file &quot;%1&quot; is left from an earlier run and could not be removed</translation>
    </message>
    <message>
        <source>Пропущено &quot;%1&quot;: %2</source>
        <translation>Skipped &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Изображение %1 из %2: %3</source>
        <translation>Image %1 of %2: %3</translation>
    </message>
    <message>
        <source>Расчет распределения...</source>
        <translation>Fitting the distribution...</translation>
    </message>
    <message>
        <source>Отменено; файлы результатов не записаны</source>
        <translation>Cancelled; no result files were written</translation>
    </message>
    <message>
        <source>Не выполнено</source>
        <translation>Not done</translation>
    </message>
    <message>
        <source>Готово: изображений %1, частиц %2</source>
        <translation>Done: %1 images, %2 particles</translation>
    </message>
</context>
<context>
    <name>TDlgCalc</name>
    <message>
        <source>Калькулятор</source>
        <translation>Calculator</translation>
    </message>
</context>
<context>
    <name>TDlgCaseCalcDistrib</name>
    <message>
        <source>Распределение</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <source>По числу частиц</source>
        <translation>By number of particles</translation>
    </message>
    <message>
        <source>По объему частиц</source>
        <translation>By volume of particles</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFitDlg</name>
    <message>
        <source>Статистика (максимальное правдоподобие)</source>
        <translation>Statistics (maximum likelihood)</translation>
    </message>
    <message>
        <source>Распределение</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <source>По &amp;числу частиц</source>
        <translation>By &amp;number of particles</translation>
    </message>
    <message>
        <source>По &amp;объему частиц</source>
        <translation>By &amp;volume of particles</translation>
    </message>
    <message>
        <source>Строки таблицы</source>
        <translation>Table rows</translation>
    </message>
    <message>
        <source>&amp;Размеры частиц</source>
        <translation>Particle &amp;sizes</translation>
    </message>
    <message>
        <source>&amp;Классы (размер — верхняя граница класса)</source>
        <translation>&amp;Classes (size is the upper class bound)</translation>
    </message>
    <message>
        <source>Доверительные интервалы (бутстреп)</source>
        <translation>Confidence intervals (bootstrap)</translation>
    </message>
    <message>
        <source>Число &amp;выборок</source>
        <translation>&amp;Resamples</translation>
    </message>
    <message>
        <source>&amp;Доверительная вероятность</source>
        <translation>Confidence &amp;level</translation>
    </message>
    <message>
        <source>&amp;Начальное число генератора</source>
        <translation>Generator s&amp;eed</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Все графические файлы|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|BMP файлы (*.bmp)|*.bmp|JPEG файлы (*.jpg)|*.jpg|GIF файлы (*.gif)|*.gif|EMF файлы (*.emf)|*.emf|WMF файлы (*.wmf)|*.wmf|TIFF файлы (*.tif)|*.tif|PNG файлы (*.png)|*.png|ICON файлы (*.ico)|*.ico|PCX файлы (*.pcx)|*.pcx|Файлы данных Grizal 2 (*.grz)|*.grz|Файлы данных Grizal 2 (*.dat)|*.dat|Все файлы (*.*)|*.*</source>
        <translation>All picture files|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|BMP files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg|GIF files (*.gif)|*.gif|EMF files (*.emf)|*.emf|WMF files (*.wmf)|*.wmf|TIFF files (*.tif)|*.tif|PNG files (*.png)|*.png|ICON files (*.ico)|*.ico|PCX files (*.pcx)|*.pcx|Grizal 2 data files (*.grz)|*.grz|Grizal 2 data files (*.dat)|*.dat|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Windows Bitmap файлы (*.bmp)|*.bmp|JPEG файлы (*.jpg)|*.jpg|Все файлы (*.*)|*.*</source>
        <translation>Windows Bitmap files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Файлы данных Grizal 2 (*.grz)|*.grz|Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*</source>
        <translation>Grizal 2 data files (*.grz)|*.grz|Text files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить файл изображения</source>
        <translation>Save Picture File</translation>
    </message>
    <message>
        <source>Сохранить файл данных</source>
        <translation>Save Data File</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Операции с файлами</source>
        <translation>File operations</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Создать новый файл</source>
        <translation>Create a new file</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open a file</translation>
    </message>
    <message>
        <source>Объединить</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Открыть файлы с объединением</source>
        <translation>Open files and merge them</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить  файл из активного окна</source>
        <translation>Save the file of the active window</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Закрыть файл</source>
        <translation>Close the file</translation>
    </message>
    <message>
        <source>Получить</source>
        <translation>Acquire</translation>
    </message>
    <message>
        <source>Получить изображение из TWAIN</source>
        <translation>Acquire a picture from TWAIN</translation>
    </message>
    <message>
        <source>Выбрать источник</source>
        <translation>Select Source</translation>
    </message>
    <message>
        <source>Выбрать источник TWAIN</source>
        <translation>Select the TWAIN source</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Выход из программы</source>
        <translation>Exit the program</translation>
    </message>
    <message>
        <source>П&amp;равка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Отменить последнюю операцию</source>
        <translation>Undo the last operation</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>&amp;Сервис</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Сервис</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Калькулятор</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>Формирование выборки</source>
        <translation>Generate Sample</translation>
    </message>
    <message>
        <source>Формирование выборки с указанными параметрами</source>
        <translation>Generate a sample with the given parameters</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Установка параметров системы</source>
        <translation>Set the program parameters</translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Введение калибровочного коэффициента</source>
        <translation>Enter the calibration coefficient</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>Р&amp;асположить все</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>&amp;Разделить</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>Ин&amp;формация</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Информация о программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Файл %1 не сохранен: выборка записывается только в файлы .grz и .txt.</source>
        <translation>The file %1 was not saved: a sample is saved only to .grz and .txt files.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не записан: изображение сохраняется в форматах BMP (.bmp) и JPEG (.jpg)</source>
        <translation>The file &quot;%1&quot; was not written: a picture is saved in the BMP (.bmp) and JPEG (.jpg) formats</translation>
    </message>
    <message>
        <source>JPEG компрессия</source>
        <translation>JPEG Compression</translation>
    </message>
    <message>
        <source>Сжатие, % = </source>
        <translation>Compression, % = </translation>
    </message>
    <message>
        <source>Неверное значение коэффициента пересчета</source>
        <translation>Invalid scale coefficient</translation>
    </message>
    <message>
        <source>Язык / Language</source>
        <translation>Язык / Language</translation>
    </message>
    <message>
        <source>Найдено частиц: %1</source>
        <translation>Particles found: %1</translation>
    </message>
    <message>
        <source>Язык интерфейса сменится при следующем запуске программы.
The interface language changes when the program is started again.</source>
        <translation>Язык интерфейса сменится при следующем запуске программы.
The interface language changes when the program is started again.</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>&amp;Анализ</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Статистика (максимальное правдоподобие)...</source>
        <translation>Statistics (maximum likelihood)...</translation>
    </message>
    <message>
        <source>Законы распределения по методу максимального правдоподобия с доверительными интервалами</source>
        <translation>Distribution laws by maximum likelihood with confidence intervals</translation>
    </message>
    <message>
        <source>Нет изображения для анализа</source>
        <translation>No image to analyse</translation>
    </message>
    <message>
        <source>Поиск частиц</source>
        <translation>Finding particles</translation>
    </message>
    <message>
        <source>Недостаточно памяти для поиска частиц</source>
        <translation>Not enough memory to find the particles</translation>
    </message>
    <message>
        <source>Частицы %1</source>
        <translation>Particles %1</translation>
    </message>
    <message>
        <source>Изображений: %1, частиц: %2</source>
        <translation>Images: %1, particles: %2</translation>
    </message>
    <message>
        <source>Частицы...</source>
        <translation>Particles...</translation>
    </message>
    <message>
        <source>Найти и измерить частицы изображения</source>
        <translation>Find and measure the particles of the image</translation>
    </message>
    <message>
        <source>Пакетная обработка...</source>
        <translation>Batch processing...</translation>
    </message>
    <message>
        <source>Измерить частицы всех изображений папки в одну выборку</source>
        <translation>Measure the particles of every image in a folder into one sample</translation>
    </message>
</context>
<context>
    <name>TFormStatDlg</name>
    <message>
        <source>Формирование выборки</source>
        <translation>Generate Sample</translation>
    </message>
    <message>
        <source>Закон распределения</source>
        <translation>Distribution law</translation>
    </message>
    <message>
        <source>Годена-Андреева</source>
        <translation>Gaudin-Andreev-Schuhmann</translation>
    </message>
    <message>
        <source>Розина-Раммлера</source>
        <translation>Rosin-Rammler</translation>
    </message>
    <message>
        <source>Логарифмически нормальный</source>
        <translation>Log-normal</translation>
    </message>
    <message>
        <source>Параметры выборки</source>
        <translation>Sample parameters</translation>
    </message>
    <message>
        <source>Число точек</source>
        <translation>Number of points</translation>
    </message>
    <message>
        <source>Начальный диаметр, мкм</source>
        <translation>Initial diameter, µm</translation>
    </message>
    <message>
        <source>Конечный диаметр, мкм</source>
        <translation>Final diameter, µm</translation>
    </message>
    <message>
        <source>Параметры распределения</source>
        <translation>Distribution parameters</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TGroupDlg</name>
    <message>
        <source>Группировка данных</source>
        <translation>Group Data</translation>
    </message>
    <message>
        <source>Вид группировки</source>
        <translation>Grouping</translation>
    </message>
    <message>
        <source>По числу интервалов</source>
        <translation>By number of intervals</translation>
    </message>
    <message>
        <source>По длинне интервалов</source>
        <translation>By interval length</translation>
    </message>
    <message>
        <source>По числу частиц</source>
        <translation>By number of particles</translation>
    </message>
    <message>
        <source>Параметры группировки</source>
        <translation>Grouping parameters</translation>
    </message>
    <message>
        <source>Число интервалов</source>
        <translation>Number of intervals</translation>
    </message>
    <message>
        <source>Длина интервала, мкм</source>
        <translation>Interval length, µm</translation>
    </message>
    <message>
        <source>Число частиц</source>
        <translation>Number of particles</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TImageForm</name>
    <message>
        <source>Графический редактор</source>
        <translation>Graphics editor</translation>
    </message>
    <message>
        <source>Медианная фильтрация изображения</source>
        <translation>Median filter</translation>
    </message>
    <message>
        <source>Преобразование в негативное изображение</source>
        <translation>Negative</translation>
    </message>
    <message>
        <source>Отразить по горизонтали</source>
        <translation>Mirror horizontally</translation>
    </message>
    <message>
        <source>Отразить по вертикали</source>
        <translation>Mirror vertically</translation>
    </message>
    <message>
        <source>Разделить по оттенкам</source>
        <translation>Separate by shades</translation>
    </message>
    <message>
        <source>Преобразование в черно-белое изображение</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>Преобразование в оттенки серого</source>
        <translation>Shades of gray</translation>
    </message>
    <message>
        <source>Обработка краев изображения</source>
        <translation>Edge processing</translation>
    </message>
    <message>
        <source>Ручные измерения</source>
        <translation>Manual measurements</translation>
    </message>
    <message>
        <source>Анализ бинарного изображения</source>
        <translation>Binary image analysis</translation>
    </message>
    <message>
        <source>Анализ по оттенкам</source>
        <translation>Analysis by shades</translation>
    </message>
    <message>
        <source>Функция пользователя</source>
        <translation>User function</translation>
    </message>
    <message>
        <source>Цвет 1</source>
        <translation>Color 1</translation>
    </message>
    <message>
        <source>Цвет 2</source>
        <translation>Color 2</translation>
    </message>
    <message>
        <source>&lt;Цвет 1</source>
        <translation>&lt;Color 1</translation>
    </message>
    <message>
        <source>&gt;Цвет 1</source>
        <translation>&gt;Color 1</translation>
    </message>
    <message>
        <source>Цвет 1&lt;X&lt;Цвет 2</source>
        <translation>Color 1&lt;X&lt;Color 2</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Яркость, % =</source>
        <translation>Brightness, % =</translation>
    </message>
    <message>
        <source>Градиент =</source>
        <translation>Gradient =</translation>
    </message>
    <message>
        <source>Цвет</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Отметить</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Рассчитать</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Добавлять при сохранении</source>
        <translation>Stamp when saving</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Вписать по горизонтали</source>
        <translation>Fit to width</translation>
    </message>
    <message>
        <source>Вписать по вертикали</source>
        <translation>Fit to height</translation>
    </message>
    <message>
        <source>Исходный размер</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>Анализ остановлен на %1 частицах: в выборку вошли первые %1</source>
        <translation>The analysis stopped at %1 particles: the sample holds the first %1</translation>
    </message>
    <message>
        <source>Частицы не найдены: анализ ищет черные частицы на белом фоне. Сначала преобразуйте изображение в черно-белое.</source>
        <translation>No particles found: the analysis looks for black particles on a white background. Convert the picture to black and white first.</translation>
    </message>
    <message>
        <source>Функция пользователя: </source>
        <translation>User function: </translation>
    </message>
    <message>
        <source>Линейные измерения</source>
        <translation>Linear measurements</translation>
    </message>
    <message>
        <source>Выделение прямоугольником</source>
        <translation>Rectangle selection</translation>
    </message>
    <message>
        <source>Выделение эллипсом</source>
        <translation>Ellipse selection</translation>
    </message>
    <message>
        <source>Выделение отрезками</source>
        <translation>Polygon selection</translation>
    </message>
    <message>
        <source>Непрерывное выделение</source>
        <translation>Freehand selection</translation>
    </message>
    <message>
        <source>Отменить выделение</source>
        <translation>Clear the selection</translation>
    </message>
    <message>
        <source>Дублировать выделение</source>
        <translation>Duplicate the selection</translation>
    </message>
    <message>
        <source>Новая серия измерений</source>
        <translation>New measurement series</translation>
    </message>
    <message>
        <source>Вычисление периметра</source>
        <translation>Perimeter</translation>
    </message>
    <message>
        <source>Вычисление площади</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Вычисление спектральной плотности</source>
        <translation>Mean density of each color channel</translation>
    </message>
    <message>
        <source>Размер = </source>
        <translation>Size = </translation>
    </message>
    <message>
        <source>Принять</source>
        <translation>Accept</translation>
    </message>
    <message>
        <source>Сплошное заполнение</source>
        <translation>Solid fill</translation>
    </message>
    <message>
        <source>Невидимое заполнение</source>
        <translation>No fill</translation>
    </message>
    <message>
        <source>Горизонтальное заполнение</source>
        <translation>Horizontal hatching</translation>
    </message>
    <message>
        <source>Вертикальное заполнение</source>
        <translation>Vertical hatching</translation>
    </message>
    <message>
        <source>Диагональное заполнение</source>
        <translation>Diagonal hatching</translation>
    </message>
    <message>
        <source>Заполнение в клеточку</source>
        <translation>Cross hatching</translation>
    </message>
    <message>
        <source>Заполнение в косую решоточку</source>
        <translation>Diagonal cross hatching</translation>
    </message>
    <message>
        <source>Цвет заполнения</source>
        <translation>Fill color</translation>
    </message>
    <message>
        <source>Точка</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Линия</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Квадрат</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Круг</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Элипс</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Сплошная линия</source>
        <translation>Solid line</translation>
    </message>
    <message>
        <source>Пунктирная линия</source>
        <translation>Dashed line</translation>
    </message>
    <message>
        <source>Штрихпунктирная линия</source>
        <translation>Dash-dot line</translation>
    </message>
    <message>
        <source>Невидимая линия</source>
        <translation>No line</translation>
    </message>
    <message>
        <source>Цвет карандаша</source>
        <translation>Pen color</translation>
    </message>
    <message>
        <source>Размер карандаша</source>
        <translation>Pen width</translation>
    </message>
</context>
<context>
    <name>TKalibrDlg</name>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Реальный размер объекта, мкм</source>
        <translation>Real size of the object, µm</translation>
    </message>
    <message>
        <source>Размер объекта в пикселах</source>
        <translation>Size of the object in pixels</translation>
    </message>
    <message>
        <source>Коэффициент пересчета, мкм/пикс</source>
        <translation>Scale coefficient, µm/pixel</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Графические файлы (*.bmp *.gif *.jpg *.tif *.pcx)</source>
        <translation>Picture files (*.bmp *.gif *.jpg *.tif *.pcx)</translation>
    </message>
    <message>
        <source>Все графические файлы (*.bmp *.jpg *.jpeg *.gif *.emf *.wmf *.tif *.tiff *.png *.ico *.pcx)</source>
        <translation>All picture files (*.bmp *.jpg *.jpeg *.gif *.emf *.wmf *.tif *.tiff *.png *.ico *.pcx)</translation>
    </message>
    <message>
        <source>Из окна изображения</source>
        <translation>From the image window</translation>
    </message>
    <message>
        <source>Калибровка по изображению активного окна</source>
        <translation>Calibrate on the picture of the active window</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является изображением</source>
        <translation>The file &quot;%1&quot; is not a picture</translation>
    </message>
    <message>
        <source>Не удается вычислить коэффициент пересчета</source>
        <translation>Cannot compute the scale coefficient</translation>
    </message>
</context>
<context>
    <name>TNewBMPForm</name>
    <message>
        <source>Размеры изображения</source>
        <translation>Picture Size</translation>
    </message>
    <message>
        <source>По &amp;Горизонтали</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>По &amp;Вертикали</source>
        <translation>&amp;Height</translation>
    </message>
</context>
<context>
    <name>TNewDlg</name>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Файл изображения</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>Файл данных</source>
        <translation>Data file</translation>
    </message>
</context>
<context>
    <name>TOpenDlg</name>
    <message>
        <source>Файл данных</source>
        <translation>Data File</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Дописать</source>
        <translation>Append</translation>
    </message>
</context>
<context>
    <name>TParamDlg</name>
    <message>
        <source>Параметры</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Годена-Андреева</source>
        <translation>Gaudin-Andreev-Schuhmann</translation>
    </message>
    <message>
        <source>Розина-Раммлера</source>
        <translation>Rosin-Rammler</translation>
    </message>
    <message>
        <source>Норамльного распределения</source>
        <translation>Normal distribution</translation>
    </message>
    <message>
        <source>Лог. норм. распределения</source>
        <translation>Log-normal distribution</translation>
    </message>
    <message>
        <source>Гистограмма</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>Расчетная кривая</source>
        <translation>Fitted curve</translation>
    </message>
    <message>
        <source>Линейный размер</source>
        <translation>Linear size</translation>
    </message>
    <message>
        <source>Площадь</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Периметр</source>
        <translation>Perimeter</translation>
    </message>
    <message>
        <source>Показывать график функции</source>
        <translation>Show the curve of</translation>
    </message>
    <message>
        <source>Показывать элементы</source>
        <translation>Show elements</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Функция пользователя</source>
        <translation>User function</translation>
    </message>
</context>
<context>
    <name>TParticlesDlg</name>
    <message>
        <source>Частицы</source>
        <translation>Particles</translation>
    </message>
    <message>
        <source>Порог</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Автоматический (метод Оцу)</source>
        <translation>Automatic (Otsu&apos;s method)</translation>
    </message>
    <message>
        <source>Яркость, %:</source>
        <translation>Brightness, %:</translation>
    </message>
    <message>
        <source>Яркость, %</source>
        <translation>Brightness, %</translation>
    </message>
    <message>
        <source>тёмные на светлом</source>
        <translation>dark on light</translation>
    </message>
    <message>
        <source>светлые на тёмном</source>
        <translation>light on dark</translation>
    </message>
    <message>
        <source>Заполнять отверстия</source>
        <translation>Fill holes</translation>
    </message>
    <message>
        <source>Исключать касающиеся края</source>
        <translation>Exclude particles touching the border</translation>
    </message>
    <message>
        <source>Разделять касающиеся частицы</source>
        <translation>Separate touching particles</translation>
    </message>
    <message>
        <source>8 соседей</source>
        <translation>8 neighbours</translation>
    </message>
    <message>
        <source>4 соседа</source>
        <translation>4 neighbours</translation>
    </message>
    <message>
        <source>Эквивалентный диаметр</source>
        <translation>Equivalent circle diameter</translation>
    </message>
    <message>
        <source>Площадь</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Периметр</source>
        <translation>Perimeter</translation>
    </message>
    <message>
        <source>Максимальный диаметр Ферета</source>
        <translation>Maximum Feret diameter</translation>
    </message>
    <message>
        <source>Минимальный диаметр Ферета</source>
        <translation>Minimum Feret diameter</translation>
    </message>
    <message>
        <source>&amp;Объекты:</source>
        <translation>&amp;Objects:</translation>
    </message>
    <message>
        <source>&amp;Минимальная площадь, пикс.:</source>
        <translation>&amp;Minimum area, px:</translation>
    </message>
    <message>
        <source>&amp;Глубина разделения, пикс.:</source>
        <translation>Separation &amp;depth, px:</translation>
    </message>
    <message>
        <source>&amp;Связность:</source>
        <translation>&amp;Connectivity:</translation>
    </message>
    <message>
        <source>&amp;Величина для выборки:</source>
        <translation>&amp;Measure for the sample:</translation>
    </message>
    <message>
        <source>Нет изображения</source>
        <translation>No image</translation>
    </message>
    <message>
        <source>Порог: уровень серого %1; объекты показаны красным</source>
        <translation>Threshold: grey level %1; objects shown in red</translation>
    </message>
</context>
<context>
    <name>TParticlesForm</name>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>X, пикс.</source>
        <translation>X, px</translation>
    </message>
    <message>
        <source>Y, пикс.</source>
        <translation>Y, px</translation>
    </message>
    <message>
        <source>Площадь, пикс.</source>
        <translation>Area, px</translation>
    </message>
    <message>
        <source>Площадь, мкм²</source>
        <translation>Area, µm²</translation>
    </message>
    <message>
        <source>Экв. диаметр, мкм</source>
        <translation>ECD, µm</translation>
    </message>
    <message>
        <source>Периметр, мкм</source>
        <translation>Perimeter, µm</translation>
    </message>
    <message>
        <source>Ферет макс., мкм</source>
        <translation>Feret max, µm</translation>
    </message>
    <message>
        <source>Ферет мин., мкм</source>
        <translation>Feret min, µm</translation>
    </message>
    <message>
        <source>Угол Ферета, °</source>
        <translation>Feret angle, °</translation>
    </message>
    <message>
        <source>Удлинение</source>
        <translation>Aspect ratio</translation>
    </message>
    <message>
        <source>Круглость</source>
        <translation>Circularity</translation>
    </message>
    <message>
        <source>У края</source>
        <translation>At border</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Сохранить таблицу...</source>
        <translation>Save table...</translation>
    </message>
    <message>
        <source>Сохранить таблицу частиц в файл CSV</source>
        <translation>Save the table of particles as a CSV file</translation>
    </message>
    <message>
        <source>Эквивалентный диаметр</source>
        <translation>Equivalent circle diameter</translation>
    </message>
    <message>
        <source>Площадь</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Периметр</source>
        <translation>Perimeter</translation>
    </message>
    <message>
        <source>Максимальный диаметр Ферета</source>
        <translation>Maximum Feret diameter</translation>
    </message>
    <message>
        <source>Минимальный диаметр Ферета</source>
        <translation>Minimum Feret diameter</translation>
    </message>
    <message>
        <source>Выборка</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Открыть выборку выбранной величины в окне статистики</source>
        <translation>Open a sample of the chosen measure in a statistics window</translation>
    </message>
    <message>
        <source>&amp;Величина:</source>
        <translation>&amp;Measure:</translation>
    </message>
    <message>
        <source>Частиц: %1</source>
        <translation>Particles: %1</translation>
    </message>
    <message>
        <source>   Эквивалентный диаметр, мкм: d10 = %1   d50 = %2   d90 = %3</source>
        <translation>   Equivalent circle diameter, µm: d10 = %1   d50 = %2   d90 = %3</translation>
    </message>
    <message>
        <source>Различных значений (%1) больше, чем вмещает выборка (%2)</source>
        <translation>More distinct values (%1) than a sample holds (%2)</translation>
    </message>
    <message>
        <source>Сохранить таблицу частиц</source>
        <translation>Save the table of particles</translation>
    </message>
    <message>
        <source>Файлы CSV (*.csv)|*.csv|Все файлы (*.*)|*.*</source>
        <translation>CSV files (*.csv)|*.csv|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>TPictureMessage</name>
    <message>
        <source>Сообщение</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>TPictures</name>
    <message>
        <source>Медианная фильтрация изображения</source>
        <translation>Median filtering</translation>
    </message>
    <message>
        <source>Преобразование в негативное изображение</source>
        <translation>Converting to a negative</translation>
    </message>
    <message>
        <source>Преобразование в черно-белое изображение</source>
        <translation>Converting to black and white</translation>
    </message>
    <message>
        <source>Преобразование в оттенки серого</source>
        <translation>Converting to shades of gray</translation>
    </message>
    <message>
        <source>Отражение по горизонтали</source>
        <translation>Mirroring horizontally</translation>
    </message>
    <message>
        <source>Отражение по вертикали</source>
        <translation>Mirroring vertically</translation>
    </message>
    <message>
        <source>Paзделение по оттенкам</source>
        <translation>Separating by shades</translation>
    </message>
    <message>
        <source>Обработка краев изображения</source>
        <translation>Processing the edges</translation>
    </message>
    <message>
        <source>Анализ бинарного изображения</source>
        <translation>Analyzing the binary image</translation>
    </message>
</context>
<context>
    <name>TSelectSource</name>
    <message>
        <source>Выбрать источник</source>
        <translation>Select Source</translation>
    </message>
    <message>
        <source>Устройства сканирования</source>
        <translation>Scanner devices</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Устройства сканирования не найдены</source>
        <translation>No scanner devices found</translation>
    </message>
</context>
<context>
    <name>TStatForm</name>
    <message>
        <source>Выборка пуста</source>
        <translation>The sample is empty</translation>
    </message>
    <message>
        <source>Выборка заканчивается на строке %1</source>
        <translation>The sample ends at row %1</translation>
    </message>
    <message>
        <source>Удалить строку</source>
        <translation>Delete row</translation>
    </message>
    <message>
        <source>Добавить строку</source>
        <translation>Insert row</translation>
    </message>
    <message>
        <source>Среднее значение</source>
        <translation>Mean value</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Sum</translation>
    </message>
    <message>
        <source>Минимальное значение</source>
        <translation>Smallest value</translation>
    </message>
    <message>
        <source>Максимальное значение</source>
        <translation>Largest value</translation>
    </message>
    <message>
        <source>Функция пользователя</source>
        <translation>User function</translation>
    </message>
    <message>
        <source>Группировка данных</source>
        <translation>Group the data</translation>
    </message>
    <message>
        <source>Расчет параметров статистических распределений</source>
        <translation>Fit the statistical distributions</translation>
    </message>
    <message>
        <source>Экспорт данных в Excel</source>
        <translation>Export the data to a spreadsheet</translation>
    </message>
    <message>
        <source>Экспорт результатов в Word</source>
        <translation>Export the results to a word processor</translation>
    </message>
    <message>
        <source>Сохранить результаты</source>
        <translation>Save the results</translation>
    </message>
    <message>
        <source>№ п/п</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>D(L, P, S), мкм</source>
        <translation>D(L, P, S), µm</translation>
    </message>
    <message>
        <source>Данные о дисперсности</source>
        <translation>Particle size data</translation>
    </message>
    <message>
        <source>Число частиц должно быть целым от 0 до 65535: «%1» не принято.</source>
        <translation>The number of particles must be a whole number from 0 to 65535: “%1” was not accepted.</translation>
    </message>
    <message>
        <source>Число частиц должно быть целым от 0 до 65535: в строке %1 вставлено «%2». %3.</source>
        <translation>The number of particles must be a whole number from 0 to 65535: row %1 was given “%2”. %3.</translation>
    </message>
    <message>
        <source>Вставлены первые %1 строк: остальные строки текста в таблицу не помещаются.</source>
        <translation>The first %1 rows were pasted: the other lines of the text do not fit into the table.</translation>
    </message>
    <message>
        <source>Элементов в выборке: %1</source>
        <translation>Elements in the sample: %1</translation>
    </message>
    <message>
        <source>нет размера</source>
        <translation>there is no size</translation>
    </message>
    <message>
        <source>размер «%1» — не число</source>
        <translation>the size “%1” is not a number</translation>
    </message>
    <message>
        <source> (десятичный разделитель — «%1»)</source>
        <translation> (the decimal separator is “%1”)</translation>
    </message>
    <message>
        <source>размер «%1» слишком велик</source>
        <translation>the size “%1” is too large</translation>
    </message>
    <message>
        <source>число частиц «%1» вне пределов 0…65535</source>
        <translation>the number of particles “%1” is outside 0…65535</translation>
    </message>
    <message>
        <source>%1: в строке %2 %3. Строки ниже не входят в выборку.</source>
        <translation>%1: in row %2 %3. The rows below are not part of the sample.</translation>
    </message>
    <message>
        <source>RTF файлы (*.rtf)|*.rtf|Все файлы (*.*)|*.*</source>
        <translation>RTF files (*.rtf)|*.rtf|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Доверительные интервалы (бутстреп)...</source>
        <translation>Confidence intervals (bootstrap)...</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Статистика (максимальное правдоподобие)</source>
        <translation>Statistics (maximum likelihood)</translation>
    </message>
    <message>
        <source>Остановка...</source>
        <translation>Stopping...</translation>
    </message>
</context>
<context>
    <name>TableOps</name>
    <message>
        <source>Среднее значение: </source>
        <translation>Mean value: </translation>
    </message>
    <message>
        <source>Сумма значений: </source>
        <translation>Sum of values: </translation>
    </message>
    <message>
        <source>Сумма количеств: </source>
        <translation>Sum of counts: </translation>
    </message>
    <message>
        <source>Минимальное значение: </source>
        <translation>Smallest value: </translation>
    </message>
    <message>
        <source>Максимальное значение: </source>
        <translation>Largest value: </translation>
    </message>
    <message>
        <source> удалено</source>
        <translation> removed</translation>
    </message>
    <message>
        <source>Среднее значение оставшихся: </source>
        <translation>Mean of the remaining values: </translation>
    </message>
</context>
<context>
    <name>UserFunctions</name>
    <message>
        <source>Не удается найти G2AddFunctions.dll</source>
        <translation>Cannot find G2AddFunctions.dll</translation>
    </message>
</context>
</TS>
